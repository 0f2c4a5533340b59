#include "platform/text_rules.h"

#include <climits>
#include <cstddef>
#include <string>

namespace fernwick::text {

namespace {

constexpr unsigned char kFullWidthSpaceByte = 0xA1;

unsigned char byte_of(std::string_view text, std::size_t index)
{
    return static_cast<unsigned char>(text[index]);
}

char fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Index of the character after the one that starts at `index`.
std::size_t next_boundary(std::string_view text, std::size_t index)
{
    if (is_lead_byte(byte_of(text, index)) && index + 1 < text.size())
        return index + 2;
    return index + 1;
}

bool matches_at(std::string_view text, std::size_t index, std::string_view needle, bool ignore_case)
{
    if (text.size() - index < needle.size())
        return false;
    if (!ignore_case)
        return text.compare(index, needle.size(), needle) == 0;
    for (std::size_t i = 0; i < needle.size(); ++i) {
        if (fold(text[index + i]) != fold(needle[i]))
            return false;
    }
    return true;
}

// The 0-based index of the first match at a character boundary that is not
// before `min_index`. `boundary` must be a character boundary at or before
// `min_index`; walking from it keeps the scan linear for repeated searches.
std::size_t find_index(std::string_view text, std::string_view needle, std::size_t boundary,
                       std::size_t min_index, bool ignore_case)
{
    while (boundary < min_index)
        boundary = next_boundary(text, boundary);
    if (!ignore_case) {
        // Let the library find candidates, then keep only those at a boundary.
        for (std::size_t candidate = text.find(needle, boundary); candidate != std::string_view::npos;
             candidate = text.find(needle, boundary)) {
            while (boundary < candidate)
                boundary = next_boundary(text, boundary);
            if (boundary == candidate)
                return candidate;
        }
        return std::string_view::npos;
    }
    for (; boundary < text.size(); boundary = next_boundary(text, boundary)) {
        if (matches_at(text, boundary, needle, true))
            return boundary;
    }
    return std::string_view::npos;
}

int to_position(std::size_t index)
{
    return index == std::string_view::npos ? -1 : static_cast<int>(index) + 1;
}

bool is_space_at(std::string_view text, std::size_t index)
{
    return text[index] == ' ';
}

bool is_full_width_space_at(std::string_view text, std::size_t index)
{
    return index + 1 < text.size() && byte_of(text, index) == kFullWidthSpaceByte
        && byte_of(text, index + 1) == kFullWidthSpaceByte;
}

} // namespace

int find(std::string_view text, std::string_view needle, int start, bool ignore_case)
{
    if (needle.empty())
        return text.empty() ? -1 : 1;
    std::size_t min_index = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
    if (min_index >= text.size())
        return -1;
    return to_position(find_index(text, needle, 0, min_index, ignore_case));
}

int find_last(std::string_view text, std::string_view needle, bool ignore_case)
{
    if (needle.empty())
        return text.empty() ? -1 : 1;
    std::size_t last = std::string_view::npos;
    for (std::size_t index = 0; index < text.size(); index = next_boundary(text, index)) {
        if (matches_at(text, index, needle, ignore_case))
            last = index;
    }
    return to_position(last);
}

bool contains(std::string_view text, std::string_view needle, bool ignore_case)
{
    return find(text, needle, 1, ignore_case) != -1;
}

bool equals_ignoring_case(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && matches_at(a, 0, b, true);
}

Text left(std::string_view text, int n)
{
    if (n <= 0)
        return {};
    return Text(text.substr(0, static_cast<std::size_t>(n)));
}

Text right(std::string_view text, int n)
{
    if (n <= 0)
        return {};
    std::size_t count = static_cast<std::size_t>(n);
    return Text(count >= text.size() ? text : text.substr(text.size() - count));
}

Text mid(std::string_view text, int p, int n)
{
    if (p < 1 || static_cast<std::size_t>(p) > text.size() || n <= 0)
        return {};
    return Text(text.substr(static_cast<std::size_t>(p - 1), static_cast<std::size_t>(n)));
}

Text trim_left(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size()) {
        if (is_space_at(text, begin))
            begin += 1;
        else if (is_full_width_space_at(text, begin))
            begin += 2;
        else
            break;
    }
    return Text(text.substr(begin));
}

Text trim_right(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0) {
        if (text[end - 1] == ' ')
            end -= 1;
        else if (end >= 2 && is_full_width_space_at(text, end - 2))
            end -= 2;
        else
            break;
    }
    return Text(text.substr(0, end));
}

Text trim(std::string_view text)
{
    return trim_left(trim_right(text));
}

Text remove_spaces(std::string_view text)
{
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t index = 0; index < text.size();) {
        if (is_space_at(text, index)) {
            index += 1;
        } else if (is_full_width_space_at(text, index)) {
            index += 2;
        } else {
            kept += text[index];
            index += 1;
        }
    }
    return Text(kept);
}

Text to_lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = fold(c);
    return Text(result);
}

Text to_upper(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return Text(result);
}

Text replace_all(std::string_view text, std::string_view from, std::string_view to, bool ignore_case)
{
    if (from.empty())
        return Text(text);
    std::string result;
    std::size_t copied = 0;
    for (std::size_t match = find_index(text, from, 0, 0, ignore_case); match != std::string_view::npos;
         match = find_index(text, from, match, copied, ignore_case)) {
        result.append(text.substr(copied, match - copied));
        result.append(to);
        copied = match + from.size();
    }
    result.append(text.substr(copied));
    return Text(result);
}

TextList split(std::string_view text, std::string_view separator)
{
    TextList pieces;
    if (text.empty())
        return pieces;
    if (separator.empty()) {
        pieces.append(Text(text));
        return pieces;
    }
    std::size_t piece_start = 0;
    for (std::size_t match = find_index(text, separator, 0, 0, false); match != std::string_view::npos;
         match = find_index(text, separator, match, piece_start, false)) {
        pieces.append(Text(text.substr(piece_start, match - piece_start)));
        piece_start = match + separator.size();
    }
    if (piece_start < text.size())
        pieces.append(Text(text.substr(piece_start)));
    return pieces;
}

Text decimal(long long value)
{
    return Text(std::to_string(value));
}

int leading_int(std::string_view text)
{
    std::size_t index = 0;
    while (index < text.size() && (text[index] == ' ' || (text[index] >= '\t' && text[index] <= '\r')))
        ++index;
    bool negative = false;
    if (index < text.size() && (text[index] == '+' || text[index] == '-')) {
        negative = text[index] == '-';
        ++index;
    }
    long long value = 0;
    for (; index < text.size() && text[index] >= '0' && text[index] <= '9'; ++index) {
        value = value * 10 + (text[index] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

} // namespace fernwick::text
