#pragma once

// The internet layer's diagnostics for one test: by default the test
// certificate authority is trusted and the given connect-to rules point fixed
// addresses at loopback servers; the settings in force before come back at the end.

#include <string>
#include <vector>

#include "platform/inet.h"

namespace fernwick::testing_support {

class ScopedDiagnostics {
public:
    explicit ScopedDiagnostics(std::vector<std::string> connect_to = {});
    explicit ScopedDiagnostics(const platform::InternetDiagnostics& diagnostics);
    ~ScopedDiagnostics();
    ScopedDiagnostics(const ScopedDiagnostics&) = delete;
    ScopedDiagnostics& operator=(const ScopedDiagnostics&) = delete;

    // The defaults with the test authority trusted and the given rules.
    static platform::InternetDiagnostics trusting_test_authority(std::vector<std::string> connect_to = {});

private:
    platform::InternetDiagnostics saved_;
};

} // namespace fernwick::testing_support
