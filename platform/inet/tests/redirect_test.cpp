// Which redirects a request follows, what the followed request carries, and
// how many hops it takes.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "exchange.h"
#include "test_support/http_server.h"
#include "test_support/printing.h"

namespace fernwick::platform {
namespace {

using testing::Exchange;
using testing::Outcome;
using testing_support::http_response;
using testing_support::RecordedRequest;
using testing_support::TestHttpServer;

constexpr char kPlainOrigin[] = "@PLAIN@"; // stands for the plain server's origin in a location
constexpr char kTlsOrigin[] = "@TLS@";     // and this for the TLS server's

std::string redirect_response(int status, const std::string& location)
{
    std::vector<std::string> lines;
    if (!location.empty())
        lines.push_back("Location: " + location);
    return http_response("HTTP/1.1 " + std::to_string(status) + " Redirect", lines, "redirect body");
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    if (const std::size_t at = text.find(from); at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// A plain and a TLS server that both answer /start with the redirect under
// test and /final with "final from plain" or "final from tls".
class RedirectServers : public ::testing::Test {
protected:
    RedirectServers()
    {
        plain.respond("/final", {http_response("HTTP/1.1 200 OK", {}, "final from plain")});
        tls.respond("/final", {http_response("HTTP/1.1 200 OK", {}, "final from tls")});
    }

    void redirect_start(int status, const std::string& location)
    {
        const std::string resolved =
            replaced(replaced(location, kPlainOrigin, plain.url("")), kTlsOrigin, tls.url(""));
        plain.respond("/start", {redirect_response(status, resolved)});
        tls.respond("/start", {redirect_response(status, resolved)});
    }

    Outcome start(bool secure, std::uint32_t flags, const std::string& method = "GET", const std::string& body = "")
    {
        Exchange request;
        request.port = secure ? tls.port() : plain.port();
        request.path = "/start";
        request.method = method;
        request.body = body;
        request.flags = INTERNET_FLAG_RELOAD | flags | (secure ? INTERNET_FLAG_SECURE : 0);
        return testing::exchange(request);
    }

    testing::ScopedDiagnostics diagnostics;
    TestHttpServer plain;
    TestHttpServer tls{TestHttpServer::Security::tls};
};

struct RedirectCase {
    std::string name;
    int status;
    std::string location;
    bool secure_start;
    std::uint32_t flags;
    std::string expected_body; // "redirect body" when the redirect is read as it is
};

void PrintTo(const RedirectCase& c, std::ostream* os)
{
    *os << c.name << ": " << c.status << " to " << testing_support::escaped(c.location);
}

class RedirectRule : public RedirectServers, public ::testing::WithParamInterface<RedirectCase> {};

TEST_P(RedirectRule, FollowsOrReadsTheRedirect)
{
    const RedirectCase& c = GetParam();
    redirect_start(c.status, c.location);
    const Outcome outcome = start(c.secure_start, c.flags);
    EXPECT_TRUE(outcome.sent);
    EXPECT_EQ(outcome.body, c.expected_body);
    const std::string expected_status = c.expected_body == "redirect body" ? std::to_string(c.status) : "200";
    EXPECT_EQ(outcome.head.substr(0, 12), "HTTP/1.1 " + expected_status);
}

constexpr std::uint32_t kToHttps = INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;

INSTANTIATE_TEST_SUITE_P(Rules, RedirectRule, ::testing::Values(
    RedirectCase{"relative_302", 302, "/final", false, 0, "final from plain"},
    RedirectCase{"absolute_301", 301, std::string(kPlainOrigin) + "/final", false, 0, "final from plain"},
    RedirectCase{"see_other_303", 303, "/final", false, 0, "final from plain"},
    RedirectCase{"temporary_307", 307, "final", false, 0, "final from plain"},
    RedirectCase{"permanent_308", 308, "/final", false, 0, "final from plain"},
    RedirectCase{"multiple_choices_300_is_read", 300, "/final", false, 0, "redirect body"},
    RedirectCase{"without_location_is_read", 302, "", false, 0, "redirect body"},
    RedirectCase{"no_auto_redirect_reads_it", 302, "/final", false, INTERNET_FLAG_NO_AUTO_REDIRECT, "redirect body"},
    RedirectCase{"http_to_https_with_the_flag", 302, std::string(kTlsOrigin) + "/final", false, kToHttps,
                 "final from tls"},
    RedirectCase{"http_to_https_without_the_flag_is_read", 302, std::string(kTlsOrigin) + "/final", false, 0,
                 "redirect body"},
    RedirectCase{"https_to_https", 302, "/final", true, 0, "final from tls"},
    RedirectCase{"https_to_http_is_read", 302, std::string(kPlainOrigin) + "/final", true, kToHttps,
                 "redirect body"},
    RedirectCase{"to_file_is_read", 302, "file:///etc/passwd", false, kToHttps, "redirect body"},
    RedirectCase{"to_ftp_is_read", 302, "ftp://127.0.0.1/final", false, kToHttps, "redirect body"},
    RedirectCase{"to_gopher_is_read", 302, "gopher://127.0.0.1/final", false, kToHttps, "redirect body"},
    RedirectCase{"to_nonsense_is_read", 302, "javascript:alert(1)", false, kToHttps, "redirect body"}),
    testing::case_name<RedirectCase>);

struct MethodCase {
    int status;
    std::string expected_method;
    std::string expected_body;
};

void PrintTo(const MethodCase& c, std::ostream* os)
{
    *os << "POST redirected by " << c.status;
}

class RedirectedPost : public RedirectServers, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(RedirectedPost, GoesOnAsBrowsersDo)
{
    redirect_start(GetParam().status, "/final");
    ASSERT_TRUE(start(false, 0, "POST", "a=1").sent);
    const std::vector<RecordedRequest> received = plain.requests();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].method(), GetParam().expected_method);
    EXPECT_EQ(received[1].body, GetParam().expected_body);
    EXPECT_EQ(received[1].header("Content-Length").has_value(), !GetParam().expected_body.empty());
}

INSTANTIATE_TEST_SUITE_P(Statuses, RedirectedPost, ::testing::Values(
    MethodCase{301, "GET", ""},
    MethodCase{302, "GET", ""},
    MethodCase{303, "GET", ""},
    MethodCase{307, "POST", "a=1"},
    MethodCase{308, "POST", "a=1"}));

TEST_F(RedirectServers, AtMostTwentyHopsAreFollowed)
{
    for (int hop = 1; hop <= 21; ++hop)
        plain.respond("/hop/" + std::to_string(hop), {redirect_response(302, "/hop/" + std::to_string(hop + 1))});
    plain.respond("/hop/21", {http_response("HTTP/1.1 200 OK", {}, "after twenty")});
    plain.respond("/hop/22", {http_response("HTTP/1.1 200 OK", {}, "after twenty-one")});

    Exchange request;
    request.port = plain.port();
    request.path = "/hop/1";
    const Outcome twenty = testing::exchange(request);
    EXPECT_TRUE(twenty.sent);
    EXPECT_EQ(twenty.body, "after twenty");

    plain.respond("/hop/21", {redirect_response(302, "/hop/22")});
    const Outcome twenty_one = testing::exchange(request);
    EXPECT_FALSE(twenty_one.sent);
    EXPECT_TRUE(twenty_one.body.empty());
    EXPECT_TRUE(twenty_one.last_read_failed);
    EXPECT_FALSE(twenty_one.head_queried);
}

TEST_F(RedirectServers, CredentialsStayWithTheirOrigin)
{
    const std::string block = "Cookie: sid=1\r\nAuthorization: Basic eDp5\r\nHost: 127.0.0.1\r\nX-Keep: 1";
    plain.respond("/same", {redirect_response(302, "/final")});
    // localhost reaches the same server, but as another origin.
    plain.respond("/elsewhere",
                  {redirect_response(302, "http://localhost:" + std::to_string(plain.port()) + "/final")});
    for (const std::string path : {"/same", "/elsewhere"}) {
        Exchange request;
        request.port = plain.port();
        request.path = path;
        request.headers = block;
        request.flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES;
        ASSERT_TRUE(testing::exchange(request).sent) << path;
    }
    const std::vector<RecordedRequest> received = plain.requests();
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[1].header("Cookie"), "sid=1");
    EXPECT_EQ(received[1].header("Authorization"), "Basic eDp5");
    EXPECT_EQ(received[1].header("Host"), "127.0.0.1");
    EXPECT_FALSE(received[3].header("Cookie"));
    EXPECT_FALSE(received[3].header("Authorization"));
    EXPECT_EQ(received[3].header("Host"), "localhost:" + std::to_string(plain.port()));
    EXPECT_EQ(received[3].header("X-Keep"), "1");
}

} // namespace
} // namespace fernwick::platform
