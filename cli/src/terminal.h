#pragma once

// The terminal edge of fernwick-cli: texts inside are code page 936, what
// reaches the terminal is UTF-8.

#include <string_view>

#include "platform/text.h"

namespace fernwick::cli {

// A command-line argument (UTF-8) as a Text.
Text text_from_argument(std::string_view utf8);

// Writes a Text to standard output or standard error, converted to UTF-8.
void print(const Text& text);
void print_error(const Text& text);
// Writes bytes to standard output exactly as they are.
void print_bytes(std::string_view bytes);

} // namespace fernwick::cli
