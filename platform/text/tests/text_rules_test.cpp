#include "platform/text_rules.h"

#include <climits>
#include <gtest/gtest.h>

#include "test_support/printing.h"

namespace fernwick::text {
namespace {

// "\x81\x5B" and "\x81\x2E" are double-byte characters whose second bytes
// have the codes of "[" and "."; a search must never start on them.
struct FindCase {
    const char* text;
    const char* needle;
    int start;
    bool ignore_case;
    int expected;
    friend void PrintTo(const FindCase& c, std::ostream* os)
    {
        *os << testing_support::escaped(c.text) << " find " << testing_support::escaped(c.needle) << " from "
            << c.start << (c.ignore_case ? " ignoring case" : "");
    }
};

class FindTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTest, FollowsTheSearchRule)
{
    const FindCase& c = GetParam();
    EXPECT_EQ(find(c.text, c.needle, c.start, c.ignore_case), c.expected) << c.text << " / " << c.needle;
}

INSTANTIATE_TEST_SUITE_P(Cases, FindTest, testing::Values(
    FindCase{"abcabc", "bc", 1, false, 2},
    FindCase{"abcabc", "bc", 3, false, 5},
    FindCase{"abcabc", "bc", 0, false, 2},
    FindCase{"abcabc", "bc", -7, false, 2},
    FindCase{"abcabc", "bc", 6, false, -1},
    FindCase{"abcabc", "bc", 99, false, -1},
    FindCase{"abc", "x", 1, false, -1},
    FindCase{"abc", "", 1, false, 1},
    FindCase{"abc", "", 3, false, 1},
    FindCase{"", "", 1, false, -1},
    FindCase{"", "a", 1, false, -1},
    FindCase{"aBc", "bC", 1, false, -1},
    FindCase{"aBc", "bC", 1, true, 2},
    FindCase{"\x81\x5B[", "[", 1, false, 3},
    FindCase{"\x81\x5B[", "[", 1, true, 3},
    FindCase{"\x81\x5B", "[", 1, false, -1},
    FindCase{"\x81\x5B", "[", 2, false, -1},
    FindCase{"x\x81\x81\x81.", ".", 1, false, -1},
    FindCase{"x\x81\x81.", ".", 1, false, 4},
    FindCase{"\x81", "\x81", 1, false, 1},
    FindCase{"中文中", "中", 2, false, 5},
    FindCase{"ab\x81", "b\x81", 1, false, 2}));

TEST(FindLast, FindsTheLastOccurrenceAtACharacterBoundary)
{
    EXPECT_EQ(find_last("a:b:c", ":"), 4);
    EXPECT_EQ(find_last("abc", ":"), -1);
    EXPECT_EQ(find_last("a:\x81:", ":"), 2);
    EXPECT_EQ(find_last("xAxa", "A", true), 4);
    EXPECT_EQ(find_last("", "a"), -1);
}

TEST(Cutting, LeftRightAndMidFollowTheirBounds)
{
    EXPECT_EQ(left("abcdef", 2), Text("ab"));
    EXPECT_EQ(left("abc", 9), Text("abc"));
    EXPECT_EQ(left("abc", 0), Text(""));
    EXPECT_EQ(left("abc", -1), Text(""));
    EXPECT_EQ(right("abcdef", 2), Text("ef"));
    EXPECT_EQ(right("abc", 9), Text("abc"));
    EXPECT_EQ(right("abc", -2), Text(""));
    EXPECT_EQ(mid("abcdef", 2, 3), Text("bcd"));
    EXPECT_EQ(mid("abcdef", 5, 9), Text("ef"));
    EXPECT_EQ(mid("abcdef", 6, 1), Text("f"));
    EXPECT_EQ(mid("abcdef", 7, 1), Text(""));
    EXPECT_EQ(mid("abcdef", 0, 3), Text(""));
    EXPECT_EQ(mid("abcdef", 2, 0), Text(""));
    EXPECT_EQ(mid("abcdef", INT_MAX, INT_MAX), Text(""));
}

TEST(Trimming, RemovesAsciiAndFullWidthSpacesOnly)
{
    EXPECT_EQ(trim("  a b  "), Text("a b"));
    EXPECT_EQ(trim("\xA1\xA1 a\xA1\xA1"), Text("a"));
    EXPECT_EQ(trim("\ta\r\n"), Text("\ta\r\n"));
    EXPECT_EQ(trim("   "), Text(""));
    EXPECT_EQ(trim_left("  a  "), Text("a  "));
    EXPECT_EQ(trim_right("  a  "), Text("  a"));
    EXPECT_EQ(remove_spaces(" a =\xA1\xA1" "1; b\t"), Text("a=1;b\t"));
}

TEST(Case, FoldsAsciiLettersOnly)
{
    EXPECT_EQ(to_lower("AbC-\xC4\xE3Z"), Text("abc-\xC4\xE3z"));
    EXPECT_EQ(to_upper("aBc-z"), Text("ABC-Z"));
    EXPECT_TRUE(equals_ignoring_case("Set-Cookie", "SET-cookie"));
    EXPECT_FALSE(equals_ignoring_case("Set-Cookie", "Set-Cooki"));
}

TEST(ReplaceAll, ReplacesEveryOccurrenceLeftToRight)
{
    EXPECT_EQ(replace_all("a#引号b#引号", "#引号", "\""), Text("a\"b\""));
    EXPECT_EQ(replace_all("aaa", "aa", "b"), Text("ba"));
    EXPECT_EQ(replace_all("x.[0]\x81[", "[", ".["), Text("x..[0]\x81["));
    EXPECT_EQ(replace_all("set-COOKIE: a", "Set-Cookie", "Set-Cookie", true), Text("Set-Cookie: a"));
    EXPECT_EQ(replace_all("abc", "", "x"), Text("abc"));
}

struct SplitCase {
    const char* text;
    const char* separator;
    TextList expected;
    friend void PrintTo(const SplitCase& c, std::ostream* os)
    {
        *os << testing_support::escaped(c.text) << " at " << testing_support::escaped(c.separator);
    }
};

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, FollowsTheSplittingRule)
{
    EXPECT_EQ(split(GetParam().text, GetParam().separator), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitTest, testing::Values(
    SplitCase{"a;b;c", ";", {"a", "b", "c"}},
    SplitCase{"a;;b", ";", {"a", "", "b"}},
    SplitCase{";a", ";", {"", "a"}},
    SplitCase{"a;", ";", {"a"}},
    SplitCase{"a;;", ";", {"a", ""}},
    SplitCase{";", ";", {""}},
    SplitCase{"", ";", {}},
    SplitCase{"abc", ";", {"abc"}},
    SplitCase{"abc", "", {"abc"}},
    SplitCase{"a\r\nb\r\n", "\r\n", {"a", "b"}},
    SplitCase{"a\x81.b.c", ".", {"a\x81.b", "c"}}));

TEST(Numbers, DecimalHasNoLeadingZeros)
{
    EXPECT_EQ(decimal(0), Text("0"));
    EXPECT_EQ(decimal(-12), Text("-12"));
    EXPECT_EQ(decimal(9999), Text("9999"));
}

TEST(LeadingInt, ReadsLikeAtoi)
{
    EXPECT_EQ(leading_int("123abc"), 123);
    EXPECT_EQ(leading_int("  -42"), -42);
    EXPECT_EQ(leading_int("+7"), 7);
    EXPECT_EQ(leading_int("abc"), 0);
    EXPECT_EQ(leading_int(""), 0);
    EXPECT_EQ(leading_int("99999999999999999999"), INT_MAX);
    EXPECT_EQ(leading_int("-99999999999999999999"), INT_MIN);
}

} // namespace
} // namespace fernwick::text
