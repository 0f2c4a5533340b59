#include "header_lines.h"

#include <algorithm>

#include "platform/text_rules.h"

namespace fernwick::platform {

namespace {

// The token characters of RFC 9110, which a header name consists of.
bool is_token_character(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'))
        return true;
    return text::contains("!#$%&'*+-.^_`|~", std::string_view(&c, 1));
}

bool is_header_line(std::string_view line)
{
    const int colon = text::find(line, ":");
    if (colon <= 1)
        return false;
    const Text name = text::left(line, colon - 1);
    return std::all_of(name.view().begin(), name.view().end(), is_token_character) && !text::contains(line, "\r");
}

} // namespace

std::optional<HeaderLines> split_header_block(std::string_view block)
{
    // A zero byte would cut the line short on its way through the C strings below.
    if (block.find('\0') != std::string_view::npos)
        return std::nullopt;
    HeaderLines lines;
    for (const Text& piece : text::split(block, "\n")) {
        const Text line = piece.view().ends_with('\r') ? text::left(piece, piece.length() - 1) : piece;
        if (line.empty())
            continue;
        if (!is_header_line(line))
            return std::nullopt;
        lines.emplace_back(line.view());
    }
    return lines;
}

bool is_header(std::string_view line, std::string_view name)
{
    return line.size() > name.size() && line[name.size()] == ':' &&
           text::equals_ignoring_case(line.substr(0, name.size()), name);
}

bool has_header(const HeaderLines& lines, std::string_view name)
{
    return std::any_of(lines.begin(), lines.end(), [name](const std::string& line) { return is_header(line, name); });
}

} // namespace fernwick::platform
