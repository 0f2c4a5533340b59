#include "command.h"

#include "album_commands.h"
#include "fetch_command.h"
#include "json_command.h"

namespace fernwick::cli {

std::span<const Command> commands()
{
    static const Command all[] = {
        json_command(),
        identify_command(),
        list_command(),
        download_command(),
        fetch_command(),
    };
    return all;
}

} // namespace fernwick::cli
