#include "http/response_text.h"

#include <gtest/gtest.h>

#include "test_support/printing.h"

namespace fernwick {
namespace {

ByteBuffer bytes_of(std::u8string_view utf8)
{
    return ByteBuffer(utf8.begin(), utf8.end());
}

struct ConversionCase {
    std::u8string_view utf8;
    const char* expected;
    friend void PrintTo(const ConversionCase& c, std::ostream* os) { *os << testing_support::escaped(c.utf8); }
};

class Utf8ToAnsi : public testing::TestWithParam<ConversionCase> {};

TEST_P(Utf8ToAnsi, ConvertsTheBodyIntoCodePage936)
{
    EXPECT_EQ(utf8_to_ansi(bytes_of(GetParam().utf8)), Text(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8ToAnsi, testing::Values(
    ConversionCase{u8"{\"name\":\"哔哩哔哩\"}", "{\"name\":\"哔哩哔哩\"}"},
    ConversionCase{u8"发现图片  12", "发现图片  12"},
    ConversionCase{u8"", ""},
    ConversionCase{u8"plain ASCII", "plain ASCII"},
    ConversionCase{u8"a😀b", "a?b"},
    ConversionCase{u8"€", "\x80"},
    ConversionCase{u8"bad\xC3(utf8", "bad?(utf8"}));

TEST(Utf8ToAnsi, EndsAtAZeroByte)
{
    const ByteBuffer body{'a', 'b', 0, 'c', 'd'};
    EXPECT_EQ(utf8_to_ansi(body), Text("ab"));
    EXPECT_EQ(utf8_to_ansi(ByteBuffer{0, 'x'}), Text(""));
}

TEST(Utf8ToAnsi, KeepsALongBodyWhole)
{
    std::u8string long_body;
    for (int i = 0; i < 20000; ++i)
        long_body += u8"图a";
    Text converted = utf8_to_ansi(bytes_of(long_body));
    ASSERT_EQ(converted.length(), 60000);
    EXPECT_EQ(Text(converted.view().substr(59997)), Text("图a"));
}

} // namespace
} // namespace fernwick
