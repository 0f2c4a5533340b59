#pragma once

#include "platform/text.h"

namespace fernwick {

// Creates or empties the file and fills it with the bytes, holding an
// exclusive lock on it meanwhile; a file that cannot be opened or locked
// (another worker is writing it) is skipped. The outcome is not reported.
void write_picture_file(const Text& path, const ByteBuffer& bytes);

} // namespace fernwick
