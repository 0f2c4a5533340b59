#include "terminal.h"

#include <cstdio>
#include <string>

#include "platform/codepage.h"

namespace fernwick::cli {

Text text_from_argument(std::string_view utf8)
{
    std::u16string units(static_cast<std::size_t>(platform::MultiByteToWideChar(platform::kUtf8CodePage, utf8, nullptr, 0)),
                         u'\0');
    platform::MultiByteToWideChar(platform::kUtf8CodePage, utf8, units.data(), static_cast<int>(units.size()));
    return platform::text_from_utf16(units);
}

void print(const Text& text)
{
    std::string utf8 = platform::text_to_utf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

void print_error(const Text& text)
{
    std::string utf8 = platform::text_to_utf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

void print_bytes(std::string_view bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

} // namespace fernwick::cli
