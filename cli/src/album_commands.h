#pragma once

#include "command.h"

namespace fernwick::cli {

// fernwick-cli identify TEXT: the uploader's identifier in TEXT.
Command identify_command();
// fernwick-cli list TEXT: the picture addresses discovery finds for TEXT.
Command list_command();
// fernwick-cli download TEXT: the whole album into a folder.
Command download_command();

} // namespace fernwick::cli
