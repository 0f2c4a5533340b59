#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fernwick {

// Bytes as they travel: response bodies, file contents, module images.
using ByteBuffer = std::vector<std::uint8_t>;

// A text in code page 936, the encoding of every text the program builds,
// shows or compares. Like the zero-terminated texts it stands for, a Text
// never holds a zero byte: built from bytes, it keeps what lies before the
// first zero. Lengths and positions count bytes.
class Text {
public:
    Text() = default;
    // String literals are code-page-936 bytes (the build sets the execution
    // character set), so they convert implicitly.
    Text(const char* zero_terminated);
    explicit Text(std::string_view bytes);
    explicit Text(const ByteBuffer& bytes);

    // `count` copies of one byte; the zero byte gives the empty text.
    static Text repeated(char byte, int count);

    std::string_view view() const { return bytes_; }
    operator std::string_view() const { return bytes_; }
    const char* c_str() const { return bytes_.c_str(); }
    int length() const { return static_cast<int>(bytes_.size()); }
    bool empty() const { return bytes_.empty(); }

    // The byte at a 1-based position; 0 outside 1..length.
    unsigned char byte_at(int position) const;

    ByteBuffer to_bytes() const { return ByteBuffer(bytes_.begin(), bytes_.end()); }

    Text& operator+=(const Text& other);
    friend Text operator+(Text left, const Text& right) { return left += right; }
    friend bool operator==(const Text&, const Text&) = default;
    friend auto operator<=>(const Text&, const Text&) = default;

private:
    std::string bytes_;
};

// The bytes of a buffer seen as characters, for searching and comparing.
inline std::string_view bytes_view(const ByteBuffer& bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

} // namespace fernwick
