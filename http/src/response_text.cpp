#include "http/response_text.h"

#include <cstddef>
#include <string>

#include "platform/codepage.h"

namespace fernwick {

Text utf8_to_ansi(const ByteBuffer& utf8)
{
    if (utf8.empty())
        return {};
    const std::string_view bytes = bytes_view(utf8);

    const int unit_count = platform::MultiByteToWideChar(platform::kUtf8CodePage, bytes, nullptr, 0);
    if (unit_count <= 0)
        return {};
    std::u16string units(static_cast<std::size_t>(unit_count), u'\0');
    platform::MultiByteToWideChar(platform::kUtf8CodePage, bytes, units.data(), unit_count);

    const int byte_count = platform::WideCharToMultiByte(platform::kChineseCodePage, units, nullptr, 0);
    if (byte_count <= 0)
        return {};
    std::string converted(static_cast<std::size_t>(byte_count), '\0');
    platform::WideCharToMultiByte(platform::kChineseCodePage, units, converted.data(), byte_count);
    // A Text ends at the first zero byte, as the converted text does.
    return Text(std::string_view(converted));
}

} // namespace fernwick
