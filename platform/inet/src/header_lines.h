#pragma once

// The request header block a caller hands over, taken apart into its lines.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fernwick::platform {

using HeaderLines = std::vector<std::string>;

// The block's header lines in order, each without its line end. Lines end at
// LF with or without a CR before it; empty lines are skipped. Nothing when a
// line is not "Name: value" with a token name, or holds a stray CR or a zero
// byte, since such a line would travel as something other than one header.
std::optional<HeaderLines> split_header_block(std::string_view block);

// Whether the line is a header of that name (ASCII case ignored).
bool is_header(std::string_view line, std::string_view name);
bool has_header(const HeaderLines& lines, std::string_view name);

} // namespace fernwick::platform
