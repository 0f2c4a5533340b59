#include "test_support/scoped_diagnostics.h"

#include "test_support/tls_fixtures.h"

namespace fernwick::testing_support {

ScopedDiagnostics::ScopedDiagnostics(std::vector<std::string> connect_to)
    : ScopedDiagnostics(trusting_test_authority(std::move(connect_to)))
{
}

ScopedDiagnostics::ScopedDiagnostics(const platform::InternetDiagnostics& diagnostics)
    : saved_(platform::internet_diagnostics())
{
    platform::set_internet_diagnostics(diagnostics);
}

platform::InternetDiagnostics ScopedDiagnostics::trusting_test_authority(std::vector<std::string> connect_to)
{
    platform::InternetDiagnostics diagnostics;
    diagnostics.extra_ca_files = {test_ca_file()};
    diagnostics.connect_to = std::move(connect_to);
    return diagnostics;
}

ScopedDiagnostics::~ScopedDiagnostics()
{
    platform::set_internet_diagnostics(saved_);
}

} // namespace fernwick::testing_support
