#pragma once

#include <string_view>

namespace fernwick {

// A text handed to the builder ends at its first zero byte, as a
// zero-terminated text does.
inline std::string_view up_to_zero(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

} // namespace fernwick
