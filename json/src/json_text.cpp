// The document's two text utilities: decoding the escapes of a string value
// and re-indenting a JSON text.

#include "json/json_document.h"

#include <algorithm>
#include <climits>

#include "json/text_builder.h"
#include "platform/codepage.h"

namespace fernwick {

namespace {

constexpr std::size_t kHexEscapeDigits = 4;

std::string_view one_byte(const char& byte)
{
    return {&byte, 1};
}

int hex_digit_value(char byte)
{
    if (byte >= '0' && byte <= '9')
        return byte - '0';
    if (byte >= 'A' && byte <= 'F')
        return byte - 'A' + 10;
    if (byte >= 'a' && byte <= 'f')
        return byte - 'a' + 10;
    return -1;
}

// The character that a backslash and `byte` stand for, "u" aside.
char escaped_character(char byte)
{
    switch (byte) {
    case 'r': return '\r';
    case 'n': return '\n';
    case 't': return '\t';
    case 'b': return '\b';
    case 'f': return '\f';
    default: return byte;
    }
}

// One UTF-16 code unit in code page 936: one or two bytes, none for the
// zero unit.
void append_code_unit(TextBuilder& out, char16_t unit)
{
    char converted[2];
    const int written =
        platform::WideCharToMultiByte(platform::kChineseCodePage, {&unit, 1}, converted, sizeof converted);
    out.append(std::string_view(converted, static_cast<std::size_t>(std::max(written, 0))));
}

} // namespace

// Byte by byte like the parser: the second byte of a double-byte character
// is taken for a backslash when it has that code.
Text JsonDocument::unescapeText(const Text& text)
{
    TextBuilder decoded;
    const std::string_view bytes = text.view();
    std::size_t index = 0;
    while (index < bytes.size()) {
        const char byte = bytes[index++];
        if (byte != '\\') {
            decoded.append(one_byte(byte));
            continue;
        }
        if (index == bytes.size())
            break; // an escape left unfinished is dropped
        const char escaped = bytes[index++];
        if (escaped != 'u') {
            const char character = escaped_character(escaped);
            decoded.append(one_byte(character));
            continue;
        }
        unsigned unit = 0;
        std::size_t digits = 0;
        for (; digits < kHexEscapeDigits && index + digits < bytes.size(); ++digits) {
            const int value = hex_digit_value(bytes[index + digits]);
            if (value < 0)
                break;
            unit = unit * 16 + static_cast<unsigned>(value);
        }
        if (digits == kHexEscapeDigits) {
            append_code_unit(decoded, static_cast<char16_t>(unit));
            index += digits;
        } else if (index + digits == bytes.size()) {
            break; // an escape left unfinished is dropped
        } else {
            // Not an escape after all: the digits read and the byte that is
            // none are read again as ordinary bytes.
            decoded.append("\\u");
        }
    }
    return decoded.text();
}

// Inside strings, a double quote after an odd number of backslashes is part
// of the string, as in the parser; everything there is copied unchanged.
Text JsonDocument::formatText(const Text& text)
{
    TextBuilder formatted;
    formatted.setBlockSize(static_cast<int>(std::min(2LL * text.length(), static_cast<long long>(INT_MAX))));
    int depth = 0;
    bool in_string = false;
    bool escape_pending = false;
    for (const char& byte : text.view()) {
        if (in_string) {
            formatted.append(one_byte(byte));
            in_string = byte != '"' || escape_pending;
            escape_pending = byte == '\\' ? !escape_pending : false;
            continue;
        }
        switch (byte) {
        case '\r':
        case '\n':
        case ' ':
        case '\t':
            break;
        case '"':
            in_string = true;
            formatted.append(one_byte(byte));
            break;
        case ':':
            formatted.append(":\t");
            break;
        case ',':
            formatted.append(one_byte(byte));
            formatted.append(indentText(depth));
            break;
        case '{':
        case '[':
            depth += 1;
            formatted.append(one_byte(byte));
            formatted.append(indentText(depth));
            break;
        case '}':
        case ']':
            depth -= 1;
            formatted.append(indentText(depth));
            formatted.append(one_byte(byte));
            break;
        default:
            formatted.append(one_byte(byte));
            break;
        }
    }
    return formatted.text();
}

Text JsonDocument::indentText(int count)
{
    return "\r\n" + Text::repeated('\t', count);
}

} // namespace fernwick
