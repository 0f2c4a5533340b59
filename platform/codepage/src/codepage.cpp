#include "platform/codepage.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <memory>

#include "platform/text_rules.h"

namespace fernwick::platform {

namespace {

bool is_known(unsigned code_page)
{
    return code_page == kUtf8CodePage || code_page == kChineseCodePage;
}

constexpr const char* kUtf16Name = "UTF-16LE";
constexpr char16_t kReplacementCharacter = u'\uFFFD';

// One conversion descriptor per direction and thread, opened on first use:
// escapes decoded one code unit at a time would otherwise open one per unit.
class Converter {
public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(descriptor_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can. Returns false on a sequence it cannot take
    // (the input then points at it), true when the input is used up or ends
    // in an incomplete sequence (`incomplete` tells which).
    bool run(const char*& in, std::size_t& in_left, std::string& out, bool& incomplete)
    {
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        incomplete = false;
        char buffer[4096];
        while (in_left > 0) {
            char* in_cursor = const_cast<char*>(in);
            char* out_cursor = buffer;
            std::size_t out_left = sizeof buffer;
            std::size_t rc = iconv(descriptor_, &in_cursor, &in_left, &out_cursor, &out_left);
            in = in_cursor;
            out.append(buffer, static_cast<std::size_t>(out_cursor - buffer));
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            if (errno == EINVAL) {
                incomplete = true;
                return true;
            }
            return false;
        }
        return true;
    }

private:
    iconv_t descriptor_;
};

Converter& decoder_for(unsigned code_page)
{
    thread_local Converter from_utf8(kUtf16Name, "UTF-8");
    thread_local Converter from_chinese(kUtf16Name, "CP936");
    return code_page == kUtf8CodePage ? from_utf8 : from_chinese;
}

Converter& encoder_for(unsigned code_page)
{
    thread_local Converter to_utf8("UTF-8", kUtf16Name);
    thread_local Converter to_chinese("CP936", kUtf16Name);
    return code_page == kUtf8CodePage ? to_utf8 : to_chinese;
}

void append_unit(std::string& out, char16_t unit)
{
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

// The bytes one replacement character stands for. In code page 936 a lead
// byte and the byte after it form one character, as the text rules count
// them, even when the pair is undefined: its second byte must not reappear
// on its own as an ASCII digit or letter.
std::size_t invalid_sequence_length(unsigned code_page, char first, std::size_t left)
{
    bool pair = code_page == kChineseCodePage && text::is_lead_byte(static_cast<unsigned char>(first)) && left >= 2;
    return pair ? 2 : 1;
}

// UTF-16LE bytes of the decoded text.
std::string decode(unsigned code_page, std::string_view bytes)
{
    std::string out;
    Converter& converter = decoder_for(code_page);
    if (!converter.valid())
        return out;
    const char* in = bytes.data();
    std::size_t in_left = bytes.size();
    bool incomplete = false;
    while (!converter.run(in, in_left, out, incomplete)) {
        append_unit(out, kReplacementCharacter);
        std::size_t skipped = invalid_sequence_length(code_page, *in, in_left);
        in += skipped;
        in_left -= skipped;
    }
    if (incomplete)
        append_unit(out, kReplacementCharacter);
    return out;
}

bool is_high_surrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::string encode(unsigned code_page, std::u16string_view units)
{
    std::string out;
    Converter& converter = encoder_for(code_page);
    if (!converter.valid())
        return out;
    std::string little_endian;
    little_endian.reserve(units.size() * 2);
    for (char16_t unit : units)
        append_unit(little_endian, unit);
    const std::string_view replacement = code_page == kUtf8CodePage ? "\xEF\xBF\xBD" : "?";
    const char* in = little_endian.data();
    std::size_t in_left = little_endian.size();
    bool incomplete = false;
    while (!converter.run(in, in_left, out, incomplete) || incomplete) {
        // One replacement per character: a surrogate pair is one character.
        std::size_t unit_index = static_cast<std::size_t>(in - little_endian.data()) / 2;
        bool pair = unit_index + 1 < units.size() && is_high_surrogate(units[unit_index])
            && is_low_surrogate(units[unit_index + 1]);
        std::size_t skipped = std::min<std::size_t>(pair ? 4 : 2, in_left);
        out.append(replacement);
        in += skipped;
        in_left -= skipped;
        incomplete = false;
        if (in_left == 0)
            break;
    }
    return out;
}

template <class Unit>
int deliver(const std::basic_string<Unit>& result, Unit* out, int out_count)
{
    if (result.size() > static_cast<std::size_t>(INT32_MAX))
        return 0;
    int needed = static_cast<int>(result.size());
    if (out_count == 0)
        return needed;
    if (out == nullptr || out_count < needed)
        return 0;
    std::memcpy(out, result.data(), result.size() * sizeof(Unit));
    return needed;
}

std::u16string units_of(const std::string& little_endian)
{
    std::u16string units(little_endian.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(little_endian[2 * i])
                                         | static_cast<unsigned char>(little_endian[2 * i + 1]) << 8);
    }
    return units;
}

} // namespace

int MultiByteToWideChar(unsigned code_page, std::string_view bytes, char16_t* out, int out_units)
{
    if (!is_known(code_page) || out_units < 0)
        return 0;
    return deliver(units_of(decode(code_page, bytes)), out, out_units);
}

int WideCharToMultiByte(unsigned code_page, std::u16string_view units, char* out, int out_bytes)
{
    if (!is_known(code_page) || out_bytes < 0)
        return 0;
    return deliver(encode(code_page, units), out, out_bytes);
}

std::u16string text_to_utf16(const Text& text)
{
    return units_of(decode(kChineseCodePage, text.view()));
}

Text text_from_utf16(std::u16string_view units)
{
    return Text(encode(kChineseCodePage, units));
}

std::string text_to_utf8(const Text& text)
{
    return encode(kUtf8CodePage, text_to_utf16(text));
}

} // namespace fernwick::platform
