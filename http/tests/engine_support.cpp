#include "engine_support.h"

#include "http/web_fetch.h"
#include "inflate/inflater.h"

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

} // namespace

void EngineTest::SetUp()
{
    use_inflater(&test_inflater());
}

void EngineTest::TearDown()
{
    use_inflater(nullptr);
}

void EngineTest::connect_to(std::vector<std::string> rules)
{
    diagnostics_.reset();
    diagnostics_.emplace(std::move(rules));
}

} // namespace fernwick::http_testing
