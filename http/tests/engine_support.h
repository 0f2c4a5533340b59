#pragma once

// What the request engine's tests share: loopback servers reached with the
// test authority trusted, the program-wide decoder in place, and the
// conversions between the engine's Text and the servers' std::string.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "test_support/scoped_diagnostics.h"

namespace fernwick::http_testing {

inline Text text_of(std::string_view bytes)
{
    return Text(bytes);
}

inline std::string string_of(const Text& text)
{
    return std::string(text.view());
}

inline std::string string_of(const ByteBuffer& bytes)
{
    return std::string(bytes_view(bytes));
}

inline ByteBuffer bytes_of(std::string_view bytes)
{
    return ByteBuffer(bytes.begin(), bytes.end());
}

// Trusts the test authority and installs the test decoder; both go when
// the test ends.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Sends the given hosts' connections to loopback servers
    // ("HOST:PORT:127.0.0.1:PORT2" rules) for the rest of the test.
    void connect_to(std::vector<std::string> rules);

private:
    std::optional<testing_support::ScopedDiagnostics> diagnostics_{std::in_place};
};

} // namespace fernwick::http_testing
