#pragma once

// One command of fernwick-cli. Each command parses its own arguments and
// returns the process exit status.

#include <span>
#include <string_view>

#include "platform/text.h"

namespace fernwick::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Command {
    std::string_view name;
    std::string_view usage;  // one or more lines, each naming the command's form
    int (*run)(std::span<const std::string_view> arguments);
};

// Prints the command's usage text to standard error and returns kExitUsage.
int usage_error(const Command& command, const Text& problem);

// Every command, in the order the help text lists them.
std::span<const Command> commands();

} // namespace fernwick::cli
