#pragma once

// The diagnostic options of every command that makes requests:
//   --connect-to HOST:PORT:HOST2:PORT2   (repeatable) send HOST:PORT's requests to HOST2:PORT2
//   --cacert FILE                        trust the certificates in FILE besides the system's
//   --no-connection-reuse                a new connection for every request (for measuring)

#include <cstddef>
#include <span>
#include <string_view>

#include "platform/inet.h"

namespace fernwick::cli {


class DiagnosticOptions {
public:
    // Takes the option at arguments[index] (and its value) when it is one of
    // these; advances index past what it took. Sets `error` when the value is missing.
    bool take(std::span<const std::string_view> arguments, std::size_t& index, bool& error);
    // Makes the options the internet layer's settings for this process.
    void apply() const;

private:
    platform::InternetDiagnostics diagnostics_ = platform::internet_diagnostics();
};

} // namespace fernwick::cli
