#include "diagnostic_options.h"

#include <string>

namespace fernwick::cli {

bool DiagnosticOptions::take(std::span<const std::string_view> arguments, std::size_t& index, bool& error)
{
    const std::string_view option = arguments[index];
    if (option == "--no-connection-reuse") {
        diagnostics_.reuse_connections = false;
        ++index;
        return true;
    }
    if (option != "--connect-to" && option != "--cacert")
        return false;
    if (index + 1 >= arguments.size()) {
        error = true;
        return true;
    }
    const std::string value(arguments[index + 1]);
    if (option == "--connect-to")
        diagnostics_.connect_to.push_back(value);
    else
        diagnostics_.extra_ca_files.push_back(value);
    index += 2;
    return true;
}

void DiagnosticOptions::apply() const
{
    platform::set_internet_diagnostics(diagnostics_);
}

} // namespace fernwick::cli
