#include "app/identification.h"

#include <gtest/gtest.h>

#include "test_support/printing.h"

namespace fernwick {
namespace {

struct IdentificationCase {
    const char* address_text;
    const char* uploader_id;
    friend void PrintTo(const IdentificationCase& c, std::ostream* os) { *os << testing_support::escaped(c.address_text); }
};

class UploaderIdTest : public testing::TestWithParam<IdentificationCase> {};

TEST_P(UploaderIdTest, KeepsTheDigitsBeforeTheFromQuery)
{
    EXPECT_EQ(uploader_id_of(GetParam().address_text), Text(GetParam().uploader_id));
}

INSTANTIATE_TEST_SUITE_P(Cases, UploaderIdTest, testing::Values(
    IdentificationCase{"https://space.bilibili.com/4412345?from=search&seid=98765", "4412345"},
    IdentificationCase{"https://space.bilibili.com/12?x=3", "123"},
    IdentificationCase{"https://space.bilibili.com/12?spm_from=333&x=1", ""},
    IdentificationCase{"https://space.bilibili.com/12?x=1&from=5", ""},
    IdentificationCase{"https://space.bilibili.com/12?FROM=5", "125"},
    IdentificationCase{"１２３", ""},
    IdentificationCase{"", ""},
    IdentificationCase{"no digits here", ""},
    IdentificationCase{"用户 42 号", "42"}));

TEST(ExtractDigits, JoinsEveryAsciiDigitInOrder)
{
    EXPECT_EQ(extract_digits("a1b22c333"), Text("122333"));
    EXPECT_EQ(extract_digits("abc"), Text(""));
}

} // namespace
} // namespace fernwick
