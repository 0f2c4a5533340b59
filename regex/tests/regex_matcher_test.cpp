#include "regex/regex_matcher.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/codepage.h"
#include "platform/list.h"
#include "test_support/printing.h"

namespace fernwick {
namespace {

struct Options {
    bool case_sensitive = false;
    bool multi_line = true;
    bool global = true;
    bool quote_escapes = false;

    // The options that differ from the defaults.
    friend void PrintTo(const Options& o, std::ostream* os)
    {
        *os << (o.case_sensitive ? " case-sensitive" : "") << (o.multi_line ? "" : " single-line")
            << (o.global ? "" : " first-only") << (o.quote_escapes ? " quote-escapes" : "");
    }
};

TextList matches_of(const RegexMatcher& matcher)
{
    TextList texts;
    for (int i = 1; i <= matcher.match_count(); ++i)
        texts.append(matcher.match_text(i));
    return texts;
}

struct MatchCase {
    Text pattern;
    Text subject;
    Options options;
    TextList matches;
    friend void PrintTo(const MatchCase& c, std::ostream* os)
    {
        *os << testing_support::escaped(c.pattern.view()) << " on "
            << (c.subject.empty() ? "nothing" : testing_support::escaped(c.subject.view()));
        PrintTo(c.options, os);
    }
};

class RegexMatcherCases : public testing::TestWithParam<MatchCase> {};

TEST_P(RegexMatcherCases, CollectsTheMatchesInOrder)
{
    const MatchCase& c = GetParam();
    RegexMatcher matcher;
    ASSERT_TRUE(matcher.compile_and_execute(c.pattern, c.subject, c.options.case_sensitive, c.options.multi_line,
                                            c.options.global, c.options.quote_escapes));
    EXPECT_EQ(matches_of(matcher), c.matches);
}

constexpr Options kDefaults{};
constexpr Options kCaseSensitive{.case_sensitive = true};
constexpr Options kSingleLine{.multi_line = false};
constexpr Options kFirstOnly{.global = false};
constexpr Options kQuoteEscapes{.quote_escapes = true};

INSTANTIATE_TEST_SUITE_P(DigitCases, RegexMatcherCases, testing::Values(
    MatchCase{"[0-9]", "https://space.bilibili.com/546195/dynamic", kDefaults, {"5", "4", "6", "1", "9", "5"}},
    MatchCase{"[0-9]", "", kDefaults, {}},
    MatchCase{"[0-9]", "space.bilibili.com", kDefaults, {}},
    MatchCase{"[0-9]", "１２３", kDefaults, {}},
    MatchCase{"[0-9]", "中1文2", kDefaults, {"1", "2"}},
    // Double-byte characters whose second byte is the code of an ASCII
    // letter, and an undefined pair whose second byte is the code of "0".
    MatchCase{"[a-z]", "乤癆葄諾", kDefaults, {}},
    MatchCase{"[0-9]", "\x81\x30" "9", kDefaults, {"9"}},
    MatchCase{"[0-9]", "12a3", kFirstOnly, {"1"}}));

INSTANTIATE_TEST_SUITE_P(OptionCases, RegexMatcherCases, testing::Values(
    MatchCase{"abc", "xABCx", kDefaults, {"ABC"}},
    MatchCase{"abc", "xABCx", kCaseSensitive, {}},
    MatchCase{"abc", "xabcx", kCaseSensitive, {"abc"}},
    MatchCase{"^[0-9]+$", "12\r\n34\n56", kDefaults, {"12", "34", "56"}},
    MatchCase{"^[0-9]+$", "12\r\n34\n56", kSingleLine, {}},
    MatchCase{"^[0-9]+$", "123", kSingleLine, {"123"}},
    // The requested "Singleline" has no effect: a dot still stops at a line.
    MatchCase{"a.b", "a\nb", kDefaults, {}},
    MatchCase{"#引号[0-9]+#引号", "id=\"42\" #引号7#引号", kQuoteEscapes, {"\"42\""}},
    MatchCase{"#引号[0-9]+#引号", "id=\"42\" #引号7#引号", kDefaults, {"#引号7#引号"}},
    MatchCase{"[一-龥]+", "名字：张三", kDefaults, {"名字", "张三"}}));

TEST(RegexMatcher, EmojiFromAReplyKeepsTheDigitsAround)
{
    // Code page 936 cannot hold the emoji: it reaches the matcher as "?".
    const std::u16string reply = u"1\U0001F6002";
    RegexMatcher matcher;
    ASSERT_TRUE(matcher.compile_and_execute(".", platform::text_from_utf16(reply)));
    EXPECT_EQ(matches_of(matcher), (TextList{"1", "?", "2"}));
}

class MatchTextOutsideTheCount : public testing::TestWithParam<int> {};

TEST_P(MatchTextOutsideTheCount, IsEmpty)
{
    RegexMatcher matcher;
    ASSERT_TRUE(matcher.compile_and_execute("[0-9]", "a1b2"));
    ASSERT_EQ(matcher.match_count(), 2);
    EXPECT_EQ(matcher.match_text(GetParam()), Text());
}

INSTANTIATE_TEST_SUITE_P(Indices, MatchTextOutsideTheCount, testing::Values(3, 4, INT_MAX, 0, -1, INT_MIN));

TEST(RegexMatcher, StartsWithoutMatches)
{
    RegexMatcher matcher;
    EXPECT_EQ(matcher.match_count(), 0);
    EXPECT_EQ(matcher.match_text(1), Text());
    EXPECT_EQ(matcher.subject(), Text());
}

struct FailureCase {
    std::string_view name;
    Text pattern;
    Text subject;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << testing_support::escaped(c.name); }
};

class RegexMatcherFailure : public testing::TestWithParam<FailureCase> {};

// A failed execution leaves no matches, not even those of the one before.
TEST_P(RegexMatcherFailure, LeavesNoMatches)
{
    RegexMatcher matcher;
    ASSERT_TRUE(matcher.compile_and_execute("[0-9]", "12"));
    EXPECT_FALSE(matcher.compile_and_execute(GetParam().pattern, GetParam().subject));
    EXPECT_EQ(matcher.match_count(), 0);
    EXPECT_EQ(matcher.match_text(1), Text());
    EXPECT_EQ(matcher.subject(), GetParam().subject);
}

INSTANTIATE_TEST_SUITE_P(Cases, RegexMatcherFailure, testing::Values(
    FailureCase{"open class", "[0-9", "123"},
    FailureCase{"open group", "(", "34"},
    FailureCase{"runaway backtracking", "(a+)+$", Text::repeated('a', 100'000) + "b"}));

TEST(RegexMatcher, FindsEveryDigitOfAMebibyte)
{
    // Two double-byte characters and a digit, repeated up to 1 MiB.
    Text subject;
    for (int i = 0; subject.length() < (1 << 20); ++i)
        subject += Text::repeated(static_cast<char>('0' + i % 10), 1) + "中文";
    RegexMatcher matcher;
    ASSERT_TRUE(matcher.compile_and_execute("[0-9]", subject));
    ASSERT_EQ(matcher.match_count(), subject.length() / 5);
    EXPECT_EQ(matcher.match_text(1), Text("0"));
    EXPECT_EQ(matcher.match_text(12), Text("1"));
    EXPECT_EQ(matcher.match_text(matcher.match_count()),
              Text::repeated(static_cast<char>('0' + (matcher.match_count() - 1) % 10), 1));
}

} // namespace
} // namespace fernwick
