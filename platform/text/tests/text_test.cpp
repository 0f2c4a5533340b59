#include "platform/list.h"
#include "platform/text.h"

#include <gtest/gtest.h>

namespace fernwick {
namespace {

TEST(Text, KeepsWhatLiesBeforeTheFirstZeroByte)
{
    using namespace std::string_view_literals;
    EXPECT_EQ(Text("ab\0cd"sv).view(), "ab");
    EXPECT_EQ(Text(ByteBuffer{'x', 0, 'y'}).length(), 1);
    EXPECT_TRUE(Text(static_cast<const char*>(nullptr)).empty());
}

TEST(Text, BytesAreAddressedFromOne)
{
    Text t("abc");
    EXPECT_EQ(t.byte_at(1), 'a');
    EXPECT_EQ(t.byte_at(3), 'c');
    EXPECT_EQ(t.byte_at(0), 0);
    EXPECT_EQ(t.byte_at(4), 0);
}

TEST(Text, LiteralsAreCodePage936)
{
    // The build compiles narrow literals into the program's own encoding.
    EXPECT_EQ(Text("中").view(), "\xD6\xD0");
    EXPECT_EQ(Text("€").view(), "\x80");
}

TEST(Text, RepeatedBuildsFillers)
{
    EXPECT_EQ(Text::repeated(' ', 3).view(), "   ");
    EXPECT_TRUE(Text::repeated(' ', 0).empty());
    EXPECT_TRUE(Text::repeated('\0', 5).empty());
}

TEST(List, IsIndexedFromOne)
{
    TextList list{"a", "b"};
    list.append("c");
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(1), Text("a"));
    EXPECT_EQ(list.at(3), Text("c"));
    list.clear();
    EXPECT_TRUE(list.empty());
}

} // namespace
} // namespace fernwick
