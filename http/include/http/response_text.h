#pragma once

// The service replies in UTF-8; every text inside the program is code page 936.

#include "platform/text.h"

namespace fernwick {

// A UTF-8 body as a code-page-936 text. Characters that code page cannot
// hold become "?"; a zero byte ends the text; the empty body gives the empty text.
Text utf8_to_ansi(const ByteBuffer& utf8);

} // namespace fernwick
