#pragma once

// Readable, stable descriptions of test inputs. Test names that CTest lists
// carry these descriptions, so they must not depend on addresses.

#include <ostream>
#include <string>
#include <string_view>

namespace fernwick::testing_support {

// Printable ASCII as it stands, every other byte as \xNN.
inline std::string escaped(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            out += c;
        } else {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

inline std::string escaped(std::u8string_view utf8)
{
    return escaped(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

} // namespace fernwick::testing_support
