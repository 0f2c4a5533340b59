#include "test_support/scoped_diagnostics.h"

#include "test_support/tls_fixtures.h"

namespace fernwick::testing_support {

ScopedDiagnostics::ScopedDiagnostics(std::vector<std::string> connect_to) : saved_(platform::internet_diagnostics())
{
    platform::InternetDiagnostics diagnostics;
    diagnostics.extra_ca_files = {test_ca_file()};
    diagnostics.connect_to = std::move(connect_to);
    platform::set_internet_diagnostics(diagnostics);
}

ScopedDiagnostics::~ScopedDiagnostics()
{
    platform::set_internet_diagnostics(saved_);
}

} // namespace fernwick::testing_support
