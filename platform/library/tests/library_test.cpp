#include "platform/library.h"

#include <gtest/gtest.h>

#include <string_view>

namespace fernwick::platform {
namespace {

TEST(Library, FindsAndCallsAFunctionOfTheSystemZlib)
{
    LibraryHandle zlib = LoadLibraryA("libz.so.1");
    ASSERT_NE(zlib, nullptr);
    LibraryFunction entry = GetProcAddress(zlib, "zlibVersion");
    ASSERT_NE(entry, nullptr);
    auto zlib_version = reinterpret_cast<const char* (*)()>(entry);
    EXPECT_EQ(std::string_view(zlib_version()).substr(0, 2), "1.");
    EXPECT_TRUE(FreeLibrary(zlib));
}

TEST(Library, AnAbsentFunctionIsNull)
{
    LibraryHandle zlib = LoadLibraryA("libz.so.1");
    ASSERT_NE(zlib, nullptr);
    EXPECT_EQ(GetProcAddress(zlib, "no_such_function_here"), nullptr);
    EXPECT_EQ(GetProcAddress(zlib, ""), nullptr);
    EXPECT_TRUE(FreeLibrary(zlib));
}

TEST(Library, MissingOrEmptyNamesLoadNothing)
{
    EXPECT_EQ(LoadLibraryA("libfernwick-no-such-library.so"), nullptr);
    EXPECT_EQ(LoadLibraryA(""), nullptr);
}

TEST(Library, NullHandlesAreRefused)
{
    EXPECT_EQ(GetProcAddress(nullptr, "zlibVersion"), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}

} // namespace
} // namespace fernwick::platform
