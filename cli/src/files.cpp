#include "files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <filesystem>

#include "terminal.h"

namespace fernwick::cli {

std::optional<ByteBuffer> read_whole_file(std::string_view path)
{
    std::error_code error;
    if (std::filesystem::is_directory(std::filesystem::path(path), error)) {
        print_error(Text("fernwick-cli: cannot read '") + text_from_argument(path) + "': it is a folder\n");
        return std::nullopt;
    }
    std::ifstream in{std::string(path), std::ios::binary};
    if (!in) {
        print_error(Text("fernwick-cli: cannot read '") + text_from_argument(path) + "': "
                    + Text(std::strerror(errno)) + "\n");
        return std::nullopt;
    }
    ByteBuffer bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        print_error(Text("fernwick-cli: error while reading '") + text_from_argument(path) + "'\n");
        return std::nullopt;
    }
    return bytes;
}

} // namespace fernwick::cli
