// What a session decides for its requests: the cookie engine and the proxy.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>

#include "exchange.h"
#include "test_support/forward_proxy.h"
#include "test_support/http_server.h"
#include "test_support/printing.h"

namespace fernwick::platform {
namespace {

using testing::Exchange;
using testing::Handle;
using testing::Outcome;
using testing_support::http_response;
using testing_support::RecordedRequest;
using testing_support::TestForwardProxy;
using testing_support::TestHttpServer;

// Sends one GET on the session and reads its body.
std::string get(InternetHandle session, int port, const std::string& path, std::uint32_t flags,
                const std::string& headers = "")
{
    const Handle connection(InternetConnectA(session, "127.0.0.1", port, "", "", INTERNET_SERVICE_HTTP, 0, 0));
    const Handle request(HttpOpenRequestA(connection.get(), "GET", Text(path), "HTTP/1.1", "", nullptr,
                                          INTERNET_FLAG_RELOAD | flags, 0));
    if (!HttpSendRequestA(request.get(), headers.data(), static_cast<std::uint32_t>(headers.size()), nullptr, 0))
        return {};
    std::string body;
    char buffer[1024];
    std::uint32_t count = 0;
    while (InternetReadFile(request.get(), buffer, sizeof buffer, &count) && count > 0)
        body.append(buffer, count);
    return body;
}

class CookieEngine : public ::testing::Test {
protected:
    CookieEngine()
    {
        server.respond("/set", {http_response("HTTP/1.1 200 OK", {"Set-Cookie: engine=1; Path=/"}, "set")});
        server.respond("/set-and-go",
                       {http_response("HTTP/1.1 302 Found", {"Set-Cookie: hop=2; Path=/", "Location: /echo"}, "")});
        server.respond("/echo", {http_response("HTTP/1.1 200 OK", {}, "echo")});
    }

    std::optional<std::string> last_cookie_header() const { return server.requests().back().header("Cookie"); }

    TestHttpServer server;
    Handle session{InternetOpenA("FernwickTest/1.0", INTERNET_OPEN_TYPE_DIRECT, "", "", 0)};
};

TEST_F(CookieEngine, SendsTheSessionsCookiesToItsLaterRequests)
{
    ASSERT_EQ(get(session.get(), server.port(), "/set", 0), "set");
    ASSERT_EQ(get(session.get(), server.port(), "/echo", 0), "echo");
    EXPECT_EQ(last_cookie_header(), "engine=1");
}

TEST_F(CookieEngine, CarriesCookiesAlongARedirect)
{
    ASSERT_EQ(get(session.get(), server.port(), "/set-and-go", 0), "echo");
    EXPECT_EQ(last_cookie_header(), "hop=2");
}

TEST_F(CookieEngine, IsOffWithNoCookies)
{
    ASSERT_EQ(get(session.get(), server.port(), "/set", 0), "set");
    ASSERT_EQ(get(session.get(), server.port(), "/echo", INTERNET_FLAG_NO_COOKIES, "Cookie: mine=3"), "echo");
    EXPECT_EQ(last_cookie_header(), "mine=3");
    ASSERT_EQ(get(session.get(), server.port(), "/set-and-go", INTERNET_FLAG_NO_COOKIES), "echo");
    EXPECT_FALSE(last_cookie_header());
}

TEST_F(CookieEngine, IsNotSharedBetweenSessions)
{
    ASSERT_EQ(get(session.get(), server.port(), "/set", 0), "set");
    const Handle other(InternetOpenA("FernwickTest/1.0", INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
    ASSERT_EQ(get(other.get(), server.port(), "/echo", 0), "echo");
    EXPECT_FALSE(last_cookie_header());
}

// An origin and a forward proxy in front of it.
class ProxyChoice : public ::testing::Test {
protected:
    ProxyChoice()
    {
        origin.respond("/page", {http_response("HTTP/1.1 200 OK", {}, "from origin")});
        tls_origin.respond("/page", {http_response("HTTP/1.1 200 OK", {}, "from tls origin")});
    }

    Outcome fetch(std::uint32_t access, const std::string& proxy_text, bool secure = false)
    {
        Exchange request;
        request.port = secure ? tls_origin.port() : origin.port();
        request.path = "/page";
        request.access = access;
        request.proxy = proxy_text;
        request.flags = INTERNET_FLAG_RELOAD | (secure ? INTERNET_FLAG_SECURE : 0);
        return testing::exchange(request);
    }

    std::string proxy_address() const { return "127.0.0.1:" + std::to_string(proxy.port()); }

    testing::ScopedDiagnostics diagnostics;
    TestHttpServer origin;
    TestHttpServer tls_origin{TestHttpServer::Security::tls};
    TestForwardProxy proxy;
};

TEST_F(ProxyChoice, PlainHttpGoesThroughTheHttpProxy)
{
    const Outcome outcome = fetch(INTERNET_OPEN_TYPE_PROXY, "http=" + proxy_address());
    EXPECT_EQ(outcome.body, "from origin");
    const std::vector<RecordedRequest> at_proxy = proxy.requests();
    ASSERT_EQ(at_proxy.size(), 1u);
    EXPECT_EQ(at_proxy[0].request_line, "GET " + origin.url("/page") + " HTTP/1.1");
    EXPECT_FALSE(at_proxy[0].header("Proxy-Connection"));
    ASSERT_EQ(origin.requests().size(), 1u);
    EXPECT_EQ(origin.requests()[0].request_line, "GET /page HTTP/1.1");
}

TEST_F(ProxyChoice, AProxyForEverySchemeServesPlainHttpToo)
{
    EXPECT_EQ(fetch(INTERNET_OPEN_TYPE_PROXY, proxy_address()).body, "from origin");
    EXPECT_EQ(proxy.requests().size(), 1u);
}

TEST_F(ProxyChoice, TheEntryForTheSchemeIsPickedFromAList)
{
    EXPECT_EQ(fetch(INTERNET_OPEN_TYPE_PROXY, "https=127.0.0.1:1;http=" + proxy_address() + " ftp=127.0.0.1:2").body,
              "from origin");
    EXPECT_EQ(proxy.requests().size(), 1u);
}

TEST_F(ProxyChoice, HttpsBypassesAProxyNamedForHttpOnly)
{
    EXPECT_EQ(fetch(INTERNET_OPEN_TYPE_PROXY, "http=" + proxy_address(), true).body, "from tls origin");
    EXPECT_TRUE(proxy.requests().empty());
}

TEST_F(ProxyChoice, AnEntryForAnotherSchemeLeavesPlainHttpDirect)
{
    EXPECT_EQ(fetch(INTERNET_OPEN_TYPE_PROXY, "https=" + proxy_address()).body, "from origin");
    EXPECT_TRUE(proxy.requests().empty());
}

TEST_F(ProxyChoice, DirectIgnoresTheEnvironmentsProxy)
{
    const std::string address = "http://" + proxy_address();
    setenv("http_proxy", address.c_str(), 1);
    setenv("HTTPS_PROXY", address.c_str(), 1);
    setenv("ALL_PROXY", address.c_str(), 1);
    const Outcome plain = fetch(INTERNET_OPEN_TYPE_DIRECT, "");
    const Outcome secure = fetch(INTERNET_OPEN_TYPE_DIRECT, "", true);
    unsetenv("http_proxy");
    unsetenv("HTTPS_PROXY");
    unsetenv("ALL_PROXY");
    EXPECT_EQ(plain.body, "from origin");
    EXPECT_EQ(secure.body, "from tls origin");
    EXPECT_TRUE(proxy.requests().empty());
}

TEST(SessionSettings, RefuseWhatTheyCannotHonour)
{
    EXPECT_EQ(InternetOpenA("a", INTERNET_OPEN_TYPE_PROXY, "", "", 0), nullptr);
    EXPECT_EQ(InternetOpenA("a", 0, "", "", 0), nullptr);
    EXPECT_EQ(InternetOpenA("a", 4, "", "", 0), nullptr);
    EXPECT_EQ(InternetOpenA("a", INTERNET_OPEN_TYPE_PROXY, "127.0.0.1:1", "<local>", 0), nullptr);
}

} // namespace
} // namespace fernwick::platform
