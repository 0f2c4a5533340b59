#pragma once

#include "command.h"

namespace fernwick::cli {

// fernwick-cli json nodes|get|count|format: the JSON document's view of a file.
Command json_command();

} // namespace fernwick::cli
