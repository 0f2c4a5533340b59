// The builder's searching, trimming, case and width operations, all of them
// through the program's text rules.

#include "json/text_builder.h"

#include <algorithm>
#include <string>

#include "platform/text_rules.h"
#include "up_to_zero.h"

namespace fernwick {

namespace {

// The full-width forms of code page 936: the space is 0xA1 0xA1, and the
// ASCII character c from "!" to "~" is 0xA3 followed by c + 0x80.
constexpr unsigned char kFullWidthSpaceByte = 0xA1;
constexpr unsigned char kFullWidthAsciiLead = 0xA3;
constexpr unsigned char kFullWidthOffset = 0x80;
constexpr char kFullWidthSpace[] = "\xA1\xA1";

bool is_ascii_letter_or_digit(unsigned char byte)
{
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

unsigned char byte_of(char c)
{
    return static_cast<unsigned char>(c);
}

// The 0-based offset of a 1-based position of the text rules.
int offset_of(int position)
{
    return position < 0 ? -1 : position - 1;
}

} // namespace

Text TextBuilder::rewrite(std::string_view rewritten)
{
    setText(rewritten);
    return text();
}

int TextBuilder::findLast(std::string_view needle, bool ignoreCase) const
{
    return offset_of(text::find_last(textView(), up_to_zero(needle), ignoreCase));
}

int TextBuilder::find(std::string_view needle, int start, bool ignoreCase) const
{
    if (start >= length())
        return -1;
    return offset_of(text::find(textView(), up_to_zero(needle), std::max(start, 0) + 1, ignoreCase));
}

Text TextBuilder::toHalfWidth()
{
    const std::string_view current = textView();
    std::string converted;
    converted.reserve(current.size());
    for (std::size_t index = 0; index < current.size();) {
        const unsigned char lead = byte_of(current[index]);
        if (!text::is_lead_byte(lead) || index + 1 == current.size()) {
            converted += current[index];
            index += 1;
            continue;
        }
        const unsigned char trail = byte_of(current[index + 1]);
        const auto ascii = static_cast<unsigned char>(trail - kFullWidthOffset);
        if (lead == kFullWidthSpaceByte && trail == kFullWidthSpaceByte)
            converted += ' ';
        else if (lead == kFullWidthAsciiLead && is_ascii_letter_or_digit(ascii))
            converted += static_cast<char>(ascii);
        else
            converted.append(current.substr(index, 2));
        index += 2;
    }
    return rewrite(converted);
}

Text TextBuilder::toFullWidth()
{
    const std::string_view current = textView();
    std::string converted;
    converted.reserve(current.size() * 2);
    for (std::size_t index = 0; index < current.size();) {
        const unsigned char byte = byte_of(current[index]);
        if (text::is_lead_byte(byte)) {
            // The second byte of a double-byte character may look like ASCII.
            converted.append(current.substr(index, 2));
            index += 2;
            continue;
        }
        if (byte == ' ') {
            converted += kFullWidthSpace;
        } else if (is_ascii_letter_or_digit(byte)) {
            converted += static_cast<char>(kFullWidthAsciiLead);
            converted += static_cast<char>(byte + kFullWidthOffset);
        } else {
            converted += static_cast<char>(byte);
        }
        index += 1;
    }
    return rewrite(converted);
}

Text TextBuilder::removeSpaces()
{
    return rewrite(text::remove_spaces(textView()));
}

Text TextBuilder::trimRight()
{
    return rewrite(text::trim_right(textView()));
}

Text TextBuilder::trimLeft()
{
    return rewrite(text::trim_left(textView()));
}

Text TextBuilder::trim()
{
    return rewrite(text::trim(textView()));
}

void TextBuilder::toUpper()
{
    setText(text::to_upper(textView()));
}

void TextBuilder::toLower()
{
    setText(text::to_lower(textView()));
}

int TextBuilder::splitPlaceholder(TextList&, std::string_view) const
{
    return 0;
}

int TextBuilder::split(TextList& pieces, std::string_view separator) const
{
    pieces = text::split(textView(), up_to_zero(separator));
    return pieces.count();
}

} // namespace fernwick
