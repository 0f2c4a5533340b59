#include "http/text_helpers.h"

#include <gtest/gtest.h>

#include "platform/text_rules.h"
#include "test_support/printing.h"

namespace fernwick {
namespace {

using testing_support::escaped;

struct MergeCase {
    const char* sent;
    const char* received;
    const char* merged;
    const char* received_after;
    friend void PrintTo(const MergeCase& c, std::ostream* os)
    {
        *os << "sent " << escaped(c.sent) << " received " << escaped(c.received);
    }
};

class CookieMerge : public testing::TestWithParam<MergeCase> {};

TEST_P(CookieMerge, PutsReceivedFirstAndRewritesBothArguments)
{
    const MergeCase& c = GetParam();
    Text sent = c.sent;
    Text received = c.received;
    EXPECT_EQ(cookie_merge(sent, received), Text(c.merged));
    EXPECT_EQ(sent, Text(c.merged));
    EXPECT_EQ(received, Text(c.received_after));
}

INSTANTIATE_TEST_SUITE_P(Cases, CookieMerge, testing::Values(
    MergeCase{"a=1; b=2", "b=3; c=4", "b=3; c=4; a=1", "b=3;c=4"},
    MergeCase{"a=1; b=2", "b=deleted", "a=1", "b=deleted"},
    MergeCase{"", "", "", ""},
    MergeCase{"a=1", "", "a=1", ""},
    MergeCase{"", "x=9", "x=9", "x=9"},
    MergeCase{"a=x y; b = 2", "", "a=xy; b=2", ""},
    MergeCase{"a=1;b=2", "", "a=1; b=2", ""},
    // Of several sent entries with one name only the first can be added.
    MergeCase{"a=1; a=2", "", "a=1", ""},
    // Received repeats stay apart unless they are exact copies.
    MergeCase{"", "a=1; a=2; a=1", "a=1; a=2", "a=1;a=2;a=1"},
    MergeCase{"s=deleted; t=1", "", "t=1", ""},
    MergeCase{"a=1", "=deleted", "a=1", "=deleted"},
    MergeCase{"a=1", "b=2;", "b=2; a=1", "b=2;"},
    MergeCase{"SID=1", "sid=2", "sid=2; SID=1", "sid=2"},
    MergeCase{"名=值　甲", "", "名=值甲", ""}));

TEST(CookieName, IsThePartBeforeTheFirstEqualsSign)
{
    EXPECT_EQ(cookie_name(" SID = a=b"), Text("SID"));
    EXPECT_EQ(cookie_name("flag"), Text("flag"));
    EXPECT_EQ(cookie_name("=x"), Text(""));
    EXPECT_EQ(cookie_name(""), Text(""));
}

TEST(CookieListHasName, ComparesNamesExactly)
{
    TextList entries{"a=1", " b =2"};
    EXPECT_TRUE(cookie_list_has_name(entries, "a"));
    EXPECT_TRUE(cookie_list_has_name(entries, "b"));
    EXPECT_FALSE(cookie_list_has_name(entries, "A"));
    EXPECT_FALSE(cookie_list_has_name(entries, "a=1"));
    EXPECT_FALSE(cookie_list_has_name({}, ""));
}

TEST(TextListIndex, FindsTheFirstEqualMember)
{
    TextList list{"x", "y", "x"};
    EXPECT_EQ(text_list_index(list, "x"), 1);
    EXPECT_EQ(text_list_index(list, "y"), 2);
    EXPECT_EQ(text_list_index(list, "X"), -1);
    EXPECT_EQ(text_list_index({}, "x"), -1);
}

struct DedupeCase {
    const char* text;
    const char* separator;
    const char* expected;
    friend void PrintTo(const DedupeCase& c, std::ostream* os)
    {
        *os << escaped(c.text) << " at " << escaped(c.separator);
    }
};

class TextListDedupe : public testing::TestWithParam<DedupeCase> {};

TEST_P(TextListDedupe, KeepsTheFirstOfEachPiece)
{
    const DedupeCase& c = GetParam();
    EXPECT_EQ(text_list_dedupe(c.text, c.separator), Text(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, TextListDedupe, testing::Values(
    DedupeCase{"a; b; a; c", "; ", "a; b; c"},
    DedupeCase{"", "; ", ""},
    DedupeCase{"a", "; ", "a"},
    DedupeCase{"a; a; ", "; ", "a"},
    DedupeCase{"; a; ; b", "; ", "; a; b"},
    DedupeCase{"A,a,A", ",", "A,a"},
    DedupeCase{"ab", "", "ab"}));

TEST(CookieMergeScale, MergesLongCookieTextsQuickly)
{
    Text sent;
    Text received;
    for (int i = 0; i < 50000; ++i) {
        Text entry = Text("n") + text::decimal(i) + "=v";
        sent += entry + "; ";
        received += entry + ";";
    }
    Text merged = cookie_merge(sent, received);
    EXPECT_EQ(merged.length(), received.length() - 1 + 50000 - 1);
}

} // namespace
} // namespace fernwick
