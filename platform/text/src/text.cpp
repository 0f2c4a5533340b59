#include "platform/text.h"

#include <cstring>

namespace fernwick {

Text::Text(const char* zero_terminated) : bytes_(zero_terminated ? zero_terminated : "") {}

Text::Text(std::string_view bytes) : bytes_(bytes.substr(0, bytes.find('\0'))) {}

Text::Text(const ByteBuffer& bytes) : Text(bytes_view(bytes)) {}

Text Text::repeated(char byte, int count)
{
    Text result;
    if (byte != '\0' && count > 0)
        result.bytes_.assign(static_cast<std::size_t>(count), byte);
    return result;
}

unsigned char Text::byte_at(int position) const
{
    if (position < 1 || position > length())
        return 0;
    return static_cast<unsigned char>(bytes_[static_cast<std::size_t>(position - 1)]);
}

Text& Text::operator+=(const Text& other)
{
    bytes_ += other.bytes_;
    return *this;
}

} // namespace fernwick
