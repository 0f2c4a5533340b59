#pragma once

#include "command.h"

namespace fernwick::cli {

// fernwick-cli fetch [OPTIONS] ADDRESS: one exchange through the request engine.
Command fetch_command();

} // namespace fernwick::cli
