#include "engine_support.h"

#include "http/web_fetch.h"
#include "inflate/inflater.h"
#include "test_support/tls_fixtures.h"

namespace fernwick::http_testing {

namespace {

// The program has one decoder for its whole run; so do the tests.
const Inflater& test_inflater()
{
    static Inflater inflater;
    static const bool ready = inflater.initialise();
    EXPECT_TRUE(ready) << "zlib could not be bound";
    return inflater;
}

platform::InternetDiagnostics trusting_test_authority(std::vector<std::string> connect_to)
{
    platform::InternetDiagnostics diagnostics;
    diagnostics.extra_ca_files = {testing_support::test_ca_file()};
    diagnostics.connect_to = std::move(connect_to);
    return diagnostics;
}

} // namespace

void EngineTest::SetUp()
{
    saved_ = platform::internet_diagnostics();
    platform::set_internet_diagnostics(trusting_test_authority({}));
    use_inflater(&test_inflater());
}

void EngineTest::TearDown()
{
    use_inflater(nullptr);
    platform::set_internet_diagnostics(saved_);
}

void EngineTest::connect_to(std::vector<std::string> rules)
{
    platform::set_internet_diagnostics(trusting_test_authority(std::move(rules)));
}

} // namespace fernwick::http_testing
