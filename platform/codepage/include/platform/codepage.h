#pragma once

// Conversions between code pages and UTF-16, the program's one road from and
// to other encodings. Two code pages are known: 65001 (UTF-8) and 936 (the
// Windows mapping for simplified Chinese, in which 0x80 is the euro sign).

#include <string>
#include <string_view>

#include "platform/text.h"

namespace fernwick::platform {

constexpr unsigned kUtf8CodePage = 65001;
constexpr unsigned kChineseCodePage = 936;

// Decodes bytes of a code page into UTF-16. Invalid sequences become U+FFFD.
// With `out_units` 0 it only measures and returns the number of units the
// result needs; otherwise it writes them to `out` and returns their number,
// or 0 when they do not fit. An unknown code page gives 0.
int MultiByteToWideChar(unsigned code_page, std::string_view bytes, char16_t* out, int out_units);

// Encodes UTF-16 into a code page, measuring or converting as above. A
// character the code page cannot represent becomes "?" in code page 936 and
// U+FFFD in UTF-8.
int WideCharToMultiByte(unsigned code_page, std::u16string_view units, char* out, int out_bytes);

// Whole-text conversions for the program's edges: the terminal, the toolkit
// and file-system paths.
std::u16string text_to_utf16(const Text& text);
Text text_from_utf16(std::u16string_view units);
std::string text_to_utf8(const Text& text);

} // namespace fernwick::platform
