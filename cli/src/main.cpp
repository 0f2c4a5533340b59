// fernwick-cli: the command-line companion of Fernwick.

#include <string>
#include <string_view>
#include <vector>

#include "command.h"
#include "terminal.h"

namespace fernwick::cli {
namespace {

void print_help(void (*out)(const Text&))
{
    out("Usage: fernwick-cli COMMAND [ARGUMENTS]\n\nCommands:\n");
    for (const Command& command : commands())
        out(Text(command.usage));
    out("\nfernwick-cli --help shows this text.\n");
}

} // namespace

int usage_error(const Command& command, const Text& problem)
{
    print_error(Text("fernwick-cli: ") + problem + "\nUsage:\n" + Text(command.usage));
    return kExitUsage;
}

} // namespace fernwick::cli

int main(int argc, char** argv)
{
    using namespace fernwick::cli;
    std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (arguments.empty()) {
        print_help(print_error);
        return kExitUsage;
    }
    if (arguments.front() == "--help" || arguments.front() == "-h" || arguments.front() == "help") {
        print_help(print);
        return kExitOk;
    }
    for (const Command& command : commands()) {
        if (command.name == arguments.front())
            return command.run(std::span(arguments).subspan(1));
    }
    print_error(fernwick::Text("fernwick-cli: unknown command '") + text_from_argument(arguments.front()) + "'\n");
    print_help(print_error);
    return kExitUsage;
}
