// Reaching the server: TLS trust and names, addresses that lead nowhere, and
// the connect timeout.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "exchange.h"
#include "test_support/http_server.h"
#include "test_support/printing.h"

namespace fernwick::platform {
namespace {

using testing::Exchange;
using testing::Outcome;
using testing::ScopedDiagnostics;
using testing_support::Ending;
using testing_support::http_response;
using testing_support::TestHttpServer;

class SecureServer : public ::testing::Test {
protected:
    SecureServer() { server.respond("/", {http_response("HTTP/1.1 200 OK", {}, "secret")}); }

    // An HTTPS request for `host` on port 443, which the diagnostics send to the test server.
    Outcome fetch_as(const std::string& host, bool trust_test_authority = true)
    {
        InternetDiagnostics diagnostics =
            trust_test_authority ? ScopedDiagnostics::trusting_test_authority() : InternetDiagnostics{};
        diagnostics.connect_to = {host + ":443:127.0.0.1:" + std::to_string(server.port())};
        const ScopedDiagnostics scoped(diagnostics);
        Exchange request;
        request.host = host;
        request.port = 443;
        request.flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_SECURE;
        return testing::exchange(request);
    }

    TestHttpServer server{TestHttpServer::Security::tls};
};

TEST_F(SecureServer, IsTrustedThroughTheExtraAuthority)
{
    const ScopedDiagnostics diagnostics;
    Exchange request;
    request.port = server.port();
    request.flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_SECURE;
    EXPECT_EQ(testing::exchange(request).body, "secret");
}

TEST_F(SecureServer, AnswersForTheServiceNamesItsCertificateCarries)
{
    for (const std::string host : {"api.bilibili.com", "api.vc.bilibili.com", "i0.hdslb.com", "example.test"}) {
        EXPECT_EQ(fetch_as(host).body, "secret") << host;
        EXPECT_EQ(server.requests().back().header("Host"), host);
    }
}

TEST_F(SecureServer, FailsForANameItsCertificateDoesNotCarry)
{
    const Outcome outcome = fetch_as("www.bilibili.com");
    EXPECT_FALSE(outcome.sent);
    EXPECT_TRUE(outcome.last_read_failed);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(SecureServer, FailsWhenItsAuthorityIsNotTrusted)
{
    const Outcome outcome = fetch_as("api.bilibili.com", false);
    EXPECT_FALSE(outcome.sent);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(SecureServer, FailsForPlainHttp)
{
    Exchange request;
    request.port = server.port();
    EXPECT_FALSE(testing::exchange(request).sent);
}

TEST(ConnectTimeout, EndsAHandshakeThatNeverCompletes)
{
    // An HTTPS request to a plain server: the server waits for a request line
    // that the TLS client never sends, and the client for a handshake.
    TestHttpServer server;
    InternetDiagnostics diagnostics = ScopedDiagnostics::trusting_test_authority();
    diagnostics.connect_timeout_seconds = 1;
    diagnostics.stall_timeout_seconds = 3600; // only the connect timeout can end it
    const ScopedDiagnostics scoped(diagnostics);
    Exchange request;
    request.port = server.port();
    request.flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_SECURE;
    const Outcome outcome = testing::exchange(request);
    EXPECT_FALSE(outcome.sent);
    EXPECT_TRUE(outcome.last_read_failed);
}

struct AddressCase {
    std::string name;
    std::string host;
    std::optional<int> port; // none: the port of a running test server
    bool connects;
};

void PrintTo(const AddressCase& c, std::ostream* os)
{
    *os << c.name << ": " << testing_support::escaped(c.host) << " port "
        << (c.port ? std::to_string(*c.port) : "of the test server");
}

class UnusableAddress : public ::testing::TestWithParam<AddressCase> {
protected:
    static InternetDiagnostics short_timeouts()
    {
        InternetDiagnostics diagnostics;
        diagnostics.connect_timeout_seconds = 5;
        diagnostics.stall_timeout_seconds = 5;
        return diagnostics;
    }
    ScopedDiagnostics diagnostics{short_timeouts()};
    TestHttpServer server;
};

TEST_P(UnusableAddress, FailsCleanlyWithoutReachingTheServer)
{
    const AddressCase& c = GetParam();
    Exchange request;
    request.host = c.host;
    request.port = c.port.value_or(server.port());
    const Outcome outcome = testing::exchange(request);
    EXPECT_EQ(outcome.connected, c.connects);
    EXPECT_FALSE(outcome.sent);
    EXPECT_TRUE(outcome.body.empty());
    EXPECT_TRUE(server.requests().empty());
}

INSTANTIATE_TEST_SUITE_P(Addresses, UnusableAddress, ::testing::Values(
    AddressCase{"port_zero", "127.0.0.1", 0, false},
    AddressCase{"port_above_65535", "127.0.0.1", 65536 + 80, false},
    AddressCase{"negative_port", "127.0.0.1", -80, false},
    AddressCase{"empty_host", "", 80, false},
    AddressCase{"unresolvable_name", "nonexistent.invalid", 80, true},
    AddressCase{"query_glued_to_the_host", "127.0.0.1?x=1", std::nullopt, true},
    AddressCase{"user_part_in_the_host", "evil@127.0.0.1", std::nullopt, true},
    AddressCase{"path_in_the_host", "127.0.0.1/x", std::nullopt, true},
    AddressCase{"space_in_the_host", "127.0.0.1 x", std::nullopt, true}),
    testing::case_name<AddressCase>);

TEST(ClosedPort, RefusesTheConnection)
{
    int port = 0;
    {
        const TestHttpServer gone;
        port = gone.port();
    }
    Exchange request;
    request.port = port;
    const Outcome outcome = testing::exchange(request);
    EXPECT_TRUE(outcome.connected);
    EXPECT_FALSE(outcome.sent);
    EXPECT_TRUE(outcome.last_read_failed);
}

} // namespace
} // namespace fernwick::platform
