#pragma once

#include <optional>
#include <string_view>

#include "platform/text.h"

namespace fernwick::cli {

// The whole content of a file named on the command line (a UTF-8 path), or
// nothing when it cannot be read; the reason is then on standard error.
std::optional<ByteBuffer> read_whole_file(std::string_view path);

} // namespace fernwick::cli
