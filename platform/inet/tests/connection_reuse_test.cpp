// Connection reuse: requests to one server share one connection, and a
// connection made under other settings is never taken for a request it
// does not fit.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "exchange.h"
#include "test_support/http_server.h"
#include "test_support/printing.h"

namespace fernwick::platform {
namespace {

using testing::Exchange;
using testing::ScopedDiagnostics;
using testing_support::Ending;
using testing_support::http_response;
using testing_support::TestHttpServer;

testing_support::ScriptedResponse kept_open(const std::string& body)
{
    return {http_response("HTTP/1.1 200 OK", {}, body), Ending::keep_alive};
}

struct ReuseCase {
    const char* name;
    TestHttpServer::Security security;
    bool reuse;
    int connections; // for two requests in a row
    friend void PrintTo(const ReuseCase& c, std::ostream* os) { *os << testing_support::escaped(c.name); }
};

class SequentialRequests : public ::testing::TestWithParam<ReuseCase> {};

TEST_P(SequentialRequests, ShareAConnectionWhileReuseIsOn)
{
    const ReuseCase& c = GetParam();
    TestHttpServer server(c.security);
    server.respond("/", kept_open("first"));
    server.respond("/next", kept_open("second"));
    InternetDiagnostics diagnostics = ScopedDiagnostics::trusting_test_authority();
    diagnostics.reuse_connections = c.reuse;
    const ScopedDiagnostics scoped(diagnostics);
    Exchange request;
    request.port = server.port();
    if (c.security == TestHttpServer::Security::tls)
        request.flags |= INTERNET_FLAG_SECURE;
    EXPECT_EQ(testing::exchange(request).body, "first");
    request.path = "/next";
    EXPECT_EQ(testing::exchange(request).body, "second");
    EXPECT_EQ(server.connection_count(), c.connections);
}

INSTANTIATE_TEST_SUITE_P(Cases, SequentialRequests, ::testing::Values(
    ReuseCase{"http", TestHttpServer::Security::plain, true, 1},
    ReuseCase{"https", TestHttpServer::Security::tls, true, 1},
    ReuseCase{"http_without_reuse", TestHttpServer::Security::plain, false, 2},
    ReuseCase{"https_without_reuse", TestHttpServer::Security::tls, false, 2}),
    testing::case_name<ReuseCase>);

// Each thread keeps its own connections: the worker and the main thread
// never hand one connection between them.
TEST(ReusedConnection, BelongsToTheThreadThatMadeIt)
{
    TestHttpServer server(TestHttpServer::Security::tls);
    server.respond("/", kept_open("picture"));
    const ScopedDiagnostics scoped(ScopedDiagnostics::trusting_test_authority());
    Exchange request;
    request.port = server.port();
    request.flags |= INTERNET_FLAG_SECURE;
    constexpr int kThreads = 2;
    constexpr int kRequests = 3;
    std::vector<std::vector<std::string>> bodies(kThreads);
    std::vector<std::thread> threads;
    for (int thread = 0; thread < kThreads; ++thread) {
        threads.emplace_back([&, thread] {
            for (int count = 0; count < kRequests; ++count)
                bodies[static_cast<std::size_t>(thread)].push_back(testing::exchange(request).body);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (const std::vector<std::string>& received : bodies)
        EXPECT_EQ(received, std::vector<std::string>(kRequests, "picture"));
    EXPECT_EQ(server.connection_count(), kThreads);
}

// An HTTPS request for a service name, sent by a connect-to rule to `server`.
Exchange service_request(const TestHttpServer& server, InternetDiagnostics& diagnostics)
{
    diagnostics.connect_to = {"api.bilibili.com:443:127.0.0.1:" + std::to_string(server.port())};
    Exchange request;
    request.host = "api.bilibili.com";
    request.port = 443;
    request.flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_SECURE;
    return request;
}

TEST(ReusedConnection, IsNotTakenOnceItsAuthorityIsNoLongerTrusted)
{
    TestHttpServer server(TestHttpServer::Security::tls);
    server.respond("/", kept_open("secret"));
    InternetDiagnostics trusting = ScopedDiagnostics::trusting_test_authority();
    const Exchange request = service_request(server, trusting);
    {
        const ScopedDiagnostics scoped(trusting);
        EXPECT_EQ(testing::exchange(request).body, "secret");
    }
    InternetDiagnostics system_store_only;
    service_request(server, system_store_only);
    const ScopedDiagnostics scoped(system_store_only);
    const testing::Outcome outcome = testing::exchange(request);
    EXPECT_FALSE(outcome.sent);
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(ReusedConnection, IsNotTakenOnceTheConnectToRuleLeadsElsewhere)
{
    TestHttpServer first(TestHttpServer::Security::tls);
    TestHttpServer second(TestHttpServer::Security::tls);
    first.respond("/", kept_open("from the first"));
    second.respond("/", kept_open("from the second"));
    InternetDiagnostics diagnostics = ScopedDiagnostics::trusting_test_authority();
    const Exchange request = service_request(first, diagnostics);
    {
        const ScopedDiagnostics scoped(diagnostics);
        EXPECT_EQ(testing::exchange(request).body, "from the first");
    }
    service_request(second, diagnostics);
    {
        const ScopedDiagnostics scoped(diagnostics);
        EXPECT_EQ(testing::exchange(request).body, "from the second");
    }
    EXPECT_EQ(first.requests().size(), 1u);
    EXPECT_EQ(second.requests().size(), 1u);
}

} // namespace
} // namespace fernwick::platform
