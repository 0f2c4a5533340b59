#pragma once

// UTF-8 literals (u8"...") as the plain bytes that servers send and
// terminals receive. Narrow literals in this project are code page 936.

#include <string>
#include <string_view>

namespace fernwick::testing_support {

inline std::string utf8(std::u8string_view text)
{
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

} // namespace fernwick::testing_support
