#include <gtest/gtest.h>
#include <string>

#include "json/json_document.h"
#include "test_support/printing.h"

namespace fernwick {
namespace {

struct TextCase {
    const char* text;
    const char* expected;
    friend void PrintTo(const TextCase& c, std::ostream* os) { *os << testing_support::escaped(c.text); }
};

class JsonUnescape : public testing::TestWithParam<TextCase> {};

TEST_P(JsonUnescape, DecodesTheEscapes)
{
    EXPECT_EQ(JsonDocument::unescapeText(GetParam().text), Text(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonUnescape, testing::Values(
    TextCase{"plain", "plain"},
    TextCase{"a\\nb", "a\nb"},
    TextCase{"\\r\\t\\b\\f", "\r\t\b\f"},
    TextCase{"\\\"\\\\\\/\\x", "\"\\/x"},
    TextCase{"\\u4E2D\\u6587", "中文"},
    TextCase{"\\u4e2d", "中"},
    TextCase{"\\u0041\\u20AC", "A\x80"},
    TextCase{"a\\u0000b", "ab"},
    TextCase{"\\uD800", "?"},
    TextCase{"\\u00E9", "\xA8\xA6"},
    // A byte that is no hex digit before the fourth: the bytes stand as written.
    TextCase{"\\u4G12", "\\u4G12"},
    TextCase{"\\uZ", "\\uZ"},
    TextCase{"\\u12\\n", "\\u12\n"},
    TextCase{"\\u\\u0041", "\\uA"},
    // An escape left unfinished at the end is dropped.
    TextCase{"abc\\", "abc"},
    TextCase{"ab\\u12", "ab"},
    TextCase{"ab\\u", "ab"},
    // Byte by byte: the second byte of 0x81 0x5C is taken for a backslash.
    TextCase{"\x81\x5Cn", "\x81\n"},
    TextCase{"", ""}));

class JsonFormat : public testing::TestWithParam<TextCase> {};

TEST_P(JsonFormat, ReindentsOutsideStrings)
{
    EXPECT_EQ(JsonDocument::formatText(GetParam().text), Text(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonFormat, testing::Values(
    TextCase{"{\"a\":1,\"b\":[true,\"x y\"]}",
             "{\r\n\t\"a\":\t1,\r\n\t\"b\":\t[\r\n\t\ttrue,\r\n\t\t\"x y\"\r\n\t]\r\n}"},
    TextCase{" {\r\n \"a\" :\t{ } } ", "{\r\n\t\"a\":\t{\r\n\t\t\r\n\t}\r\n}"},
    TextCase{"[\"a\\\"b,c\\\\\",\"d\r\n:\"]", "[\r\n\t\"a\\\"b,c\\\\\",\r\n\t\"d\r\n:\"\r\n]"},
    TextCase{"}}", "\r\n}\r\n}"},
    TextCase{"x:y", "x:\ty"},
    TextCase{"\"unfinished, {", "\"unfinished, {"},
    TextCase{"", ""}));

TEST(JsonFormat, KeepsLongTextsWhole)
{
    std::string input = "[";
    for (int i = 0; i < 3000; ++i)
        input += "\"item\",";
    input += "0]";
    std::string expected = "[\r\n\t";
    for (int i = 0; i < 3000; ++i)
        expected += "\"item\",\r\n\t";
    expected += "0\r\n]";
    EXPECT_EQ(JsonDocument::formatText(Text(input)), Text(expected));
}

TEST(JsonIndent, GivesALineBreakAndTabs)
{
    EXPECT_EQ(JsonDocument::indentText(0), Text("\r\n"));
    EXPECT_EQ(JsonDocument::indentText(3), Text("\r\n\t\t\t"));
    EXPECT_EQ(JsonDocument::indentText(-5), Text("\r\n"));
}

} // namespace
} // namespace fernwick
