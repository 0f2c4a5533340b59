#include "http/text_helpers.h"

#include <gtest/gtest.h>

#include "test_support/printing.h"

namespace fernwick {
namespace {

using testing_support::escaped;

struct BeforeCase {
    const char* text;
    const char* separator;
    int start;
    bool ignore_case;
    const char* expected;
    friend void PrintTo(const BeforeCase& c, std::ostream* os)
    {
        *os << escaped(c.text) << " before " << escaped(c.separator) << " from " << c.start
            << (c.ignore_case ? " ignoring case" : "");
    }
};

class TextBefore : public testing::TestWithParam<BeforeCase> {};

TEST_P(TextBefore, CutsAtTheSeparator)
{
    const BeforeCase& c = GetParam();
    EXPECT_EQ(text_before(c.text, c.separator, c.start, c.ignore_case), Text(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBefore, testing::Values(
    BeforeCase{"https://space.bilibili.com/123?from=search", "?from", 1, false, "https://space.bilibili.com/123"},
    BeforeCase{"https://space.bilibili.com/123", "?from", 1, false, ""},
    BeforeCase{"a?FROM=b", "?from", 1, false, ""},
    BeforeCase{"a?FROM=b", "?from", 1, true, "a"},
    BeforeCase{"a:b:c", ":", 3, false, "a:b"},
    BeforeCase{"a:b:c", ":", 0, false, "a"},
    BeforeCase{"a:b:c", ":", -5, false, "a"},
    BeforeCase{"a:b", ":", 9, false, ""},
    BeforeCase{":b", ":", 1, false, ""},
    BeforeCase{"", ":", 1, false, ""},
    // A separator byte that is the second half of a double-byte character
    // is not a separator.
    BeforeCase{"\x81:x:y", ":", 1, false, "\x81:x"}));

struct BetweenCase {
    const char* text;
    const char* start_marker;
    const char* end_marker;
    int start;
    bool ignore_case;
    const char* expected;
    friend void PrintTo(const BetweenCase& c, std::ostream* os)
    {
        *os << escaped(c.text) << " between " << escaped(c.start_marker) << " and " << escaped(c.end_marker)
            << " from " << c.start << (c.ignore_case ? " ignoring case" : "");
    }
};

class TextBetween : public testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetween, TakesTheTextBetweenTheMarkers)
{
    const BetweenCase& c = GetParam();
    EXPECT_EQ(text_between(c.text, c.start_marker, c.end_marker, c.start, c.ignore_case), Text(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBetween, testing::Values(
    BetweenCase{"Accept: */*\r\nUser-Agent: Agent/1\r\nX: y\r\n", "User-Agent:", "\r\n", 1, false, " Agent/1"},
    BetweenCase{"User-Agent: Agent/1", "User-Agent:", "\r\n", 1, false, ""},
    BetweenCase{"user-agent: Agent/1\r\n", "User-Agent:", "\r\n", 1, false, ""},
    BetweenCase{"user-agent: Agent/1\r\n", "User-Agent:", "\r\n", 1, true, " Agent/1"},
    BetweenCase{"[]", "[", "]", 1, false, ""},
    BetweenCase{"a]b[c]", "[", "]", 1, false, "c"},
    BetweenCase{"[a][b]", "[", "]", 2, false, "b"},
    BetweenCase{"[a][b]", "[", "]", 0, false, "a"},
    BetweenCase{"[a", "[", "]", 1, false, ""},
    BetweenCase{"a]", "[", "]", 1, false, ""},
    BetweenCase{"ab[", "[", "]", 1, false, ""},
    BetweenCase{"", "[", "]", 1, false, ""},
    BetweenCase{"{\"name\":\"value\"}", "#引号name#引号:#引号", "#引号", 1, false, "value"},
    BetweenCase{"#引号x#引号", "#引号", "#引号", 1, false, ""},
    BetweenCase{"名字【甲】", "【", "】", 1, false, "甲"}));

struct AfterColonCase {
    const char* text;
    const char* expected;
    friend void PrintTo(const AfterColonCase& c, std::ostream* os) { *os << escaped(c.text); }
};

class TextAfterColon : public testing::TestWithParam<AfterColonCase> {};

TEST_P(TextAfterColon, TakesTheTrimmedRest)
{
    EXPECT_EQ(text_after_colon(GetParam().text), Text(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, TextAfterColon, testing::Values(
    AfterColonCase{"user-agent:  Agent/1  ", "Agent/1"},
    AfterColonCase{"a: b: c", "b: c"},
    AfterColonCase{"a:\tb\r\nc: d", "\tb\r\nc: d"},
    AfterColonCase{"a:", ""},
    AfterColonCase{"no colon", ""},
    AfterColonCase{"", ""}));

} // namespace
} // namespace fernwick
