// What travels to the server: the request line and header lines exactly as
// the server receives them, and the body.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "exchange.h"
#include "test_support/http_server.h"
#include "test_support/printing.h"

namespace fernwick::platform {
namespace {

using testing::Exchange;
using testing::Outcome;
using testing_support::RecordedRequest;
using testing_support::TestHttpServer;

constexpr char kHostLine[] = "@HOST@"; // stands for the Host line of the test server
constexpr char kAgentLine[] = "User-Agent: FernwickTest/1.0";

struct RequestCase {
    std::string name;
    std::string method;
    std::string headers;
    std::string body;
    std::vector<std::string> expected_lines;
    std::string expected_body;
};

void PrintTo(const RequestCase& c, std::ostream* os)
{
    *os << c.name << ": " << c.method << " " << testing_support::escaped(c.headers);
}

const std::string kEngineBlock = "Accept: */*\r\nReferer: http://127.0.0.1/\r\nAccept-Language: zh-cn\r\n"
                                 "Content-Type: application/x-www-form-urlencoded";

class RequestBytes : public ::testing::TestWithParam<RequestCase> {
protected:
    TestHttpServer server;
};

TEST_P(RequestBytes, AreTheBlockAsGivenWithOnlyWhatHttp11Needs)
{
    const RequestCase& c = GetParam();
    Exchange request;
    request.port = server.port();
    request.path = "/echo";
    request.method = c.method;
    request.headers = c.headers;
    request.body = c.body;
    ASSERT_TRUE(testing::exchange(request).sent);

    const std::vector<RecordedRequest> received = server.requests();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].request_line, c.method + " /echo HTTP/1.1");
    std::vector<std::string> expected = c.expected_lines;
    for (std::string& line : expected) {
        if (line == kHostLine)
            line = "Host: 127.0.0.1:" + std::to_string(server.port());
    }
    EXPECT_EQ(received[0].header_lines, expected);
    EXPECT_EQ(received[0].body, c.expected_body);
}

const std::string kLargeBody(2 << 20, 'x');

INSTANTIATE_TEST_SUITE_P(Requests, RequestBytes, ::testing::Values(
    RequestCase{"engine_defaults", "GET", kEngineBlock, "",
                {kHostLine, kAgentLine, "Accept: */*", "Referer: http://127.0.0.1/", "Accept-Language: zh-cn",
                 "Content-Type: application/x-www-form-urlencoded"}, ""},
    RequestCase{"empty_block_gets_no_accept", "GET", "", "", {kHostLine, kAgentLine}, ""},
    RequestCase{"block_agent_replaces_session_agent", "GET", "User-Agent: Custom/2.0\r\nAccept: */*", "",
                {kHostLine, "User-Agent: Custom/2.0", "Accept: */*"}, ""},
    RequestCase{"lower_case_agent_replaces_it_too", "GET", "user-agent: low/1", "",
                {kHostLine, "user-agent: low/1"}, ""},
    RequestCase{"block_host_replaces_the_address_host", "GET", "Host: example.test", "",
                {"Host: example.test", kAgentLine}, ""},
    RequestCase{"encoding_and_cookie_lines_pass_as_given", "GET", "Accept-Encoding: gzip, deflate\r\nCookie: a=1; b=2",
                "", {kHostLine, kAgentLine, "Accept-Encoding: gzip, deflate", "Cookie: a=1; b=2"}, ""},
    RequestCase{"spacing_is_kept", "GET", "X-Tight:value\r\nX-Wide:   value  ", "",
                {kHostLine, kAgentLine, "X-Tight:value", "X-Wide:   value  "}, ""},
    RequestCase{"empty_value_is_sent_empty", "GET", "X-Empty:", "", {kHostLine, kAgentLine, "X-Empty:"}, ""},
    RequestCase{"blank_lines_and_final_line_end_are_skipped", "GET", "A: 1\r\n\r\nB: 2\r\n", "",
                {kHostLine, kAgentLine, "A: 1", "B: 2"}, ""},
    RequestCase{"bare_line_feeds_separate_lines", "GET", "A: 1\nB: 2", "", {kHostLine, kAgentLine, "A: 1", "B: 2"},
                ""},
    RequestCase{"post_with_body", "POST", "Content-Type: text/plain", "a=1&b=2",
                {kHostLine, kAgentLine, "Content-Type: text/plain", "Content-Length: 7"}, "a=1&b=2"},
    RequestCase{"post_gets_no_content_type_of_its_own", "POST", "", "a=1", {kHostLine, kAgentLine, "Content-Length: 3"},
                "a=1"},
    RequestCase{"post_without_body_says_so", "POST", "", "", {kHostLine, kAgentLine, "Content-Length: 0"}, ""},
    RequestCase{"large_post_without_expect", "POST", "", kLargeBody,
                {kHostLine, kAgentLine, "Content-Length: " + std::to_string(kLargeBody.size())}, kLargeBody},
    RequestCase{"put_with_body", "PUT", "", "data", {kHostLine, kAgentLine, "Content-Length: 4"}, "data"},
    RequestCase{"delete_without_body", "DELETE", "", "", {kHostLine, kAgentLine}, ""},
    RequestCase{"delete_with_body", "DELETE", "", "id=3", {kHostLine, kAgentLine, "Content-Length: 4"}, "id=3"},
    RequestCase{"options", "OPTIONS", "Accept: */*", "", {kHostLine, kAgentLine, "Accept: */*"}, ""},
    RequestCase{"head", "HEAD", "", "", {kHostLine, kAgentLine}, ""}),
    testing::case_name<RequestCase>);

struct PathCase {
    std::string path;
    std::string expected_target;
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << testing_support::escaped(c.path);
}

class RequestTarget : public ::testing::TestWithParam<PathCase> {
protected:
    TestHttpServer server;
};

TEST_P(RequestTarget, IsThePathWithUnsafeBytesEncoded)
{
    Exchange request;
    request.port = server.port();
    request.path = GetParam().path;
    ASSERT_TRUE(testing::exchange(request).sent);
    const std::vector<RecordedRequest> received = server.requests();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].target(), GetParam().expected_target);
}

INSTANTIATE_TEST_SUITE_P(Paths, RequestTarget, ::testing::Values(
    PathCase{"/A/b?c=D&e=%20", "/A/b?c=D&e=%20"},
    PathCase{"", "/"},
    PathCase{"x/y", "/x/y"},
    PathCase{"/a b", "/a%20b"},
    PathCase{"/\xD5\xD5\xC6\xAC.jpg", "/%D5%D5%C6%AC.jpg"},
    PathCase{"/line\r\nX-Injected: 1", "/line%0D%0AX-Injected:%201"}));

struct BadBlockCase {
    std::string name;
    std::string headers;
};

void PrintTo(const BadBlockCase& c, std::ostream* os)
{
    *os << c.name << ": " << testing_support::escaped(c.headers);
}

class MalformedHeaderBlock : public ::testing::TestWithParam<BadBlockCase> {
protected:
    TestHttpServer server;
};

TEST_P(MalformedHeaderBlock, FailsTheSendWithoutSendingAnything)
{
    Exchange request;
    request.port = server.port();
    request.headers = GetParam().headers;
    const Outcome outcome = testing::exchange(request);
    EXPECT_TRUE(outcome.connected);
    EXPECT_FALSE(outcome.sent);
    EXPECT_TRUE(outcome.body.empty());
    EXPECT_TRUE(outcome.last_read_failed);
    EXPECT_FALSE(outcome.head_queried);
    EXPECT_TRUE(server.requests().empty());
}

INSTANTIATE_TEST_SUITE_P(Blocks, MalformedHeaderBlock, ::testing::Values(
    BadBlockCase{"line_without_colon", "Accept: */*\r\nnonsense"},
    BadBlockCase{"space_in_name", "Bad Name: x"},
    BadBlockCase{"empty_name", ": x"},
    BadBlockCase{"folded_line", "A: 1\r\n  continued"},
    BadBlockCase{"stray_carriage_return", "A: 1\rB: 2"},
    BadBlockCase{"zero_byte", std::string("A: 1\0B: 2", 9)},
    BadBlockCase{"high_byte_in_name", "\xC3\xFB: x"}),
    testing::case_name<BadBlockCase>);

TEST(RequestHeaderBlock, ZeroTerminatedBlockIsMeasuredByTheLayer)
{
    TestHttpServer server;
    Exchange request;
    request.port = server.port();
    const testing::OpenedRequest opened = testing::open_request(request);
    ASSERT_TRUE(HttpSendRequestA(opened.request.get(), "X-One: 1\r\nX-Two: 2", 0xFFFFFFFF, nullptr, 0));
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].header("X-Two"), "2");
}

TEST(RequestHeaderBlock, AnAgentEndsAtItsFirstLineBreak)
{
    TestHttpServer server;
    Exchange request;
    request.port = server.port();
    request.agent = "Agent/1\r\nX-Injected: 1";
    ASSERT_TRUE(testing::exchange(request).sent);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].header_lines,
              (std::vector<std::string>{"Host: 127.0.0.1:" + std::to_string(server.port()), "User-Agent: Agent/1"}));
}

TEST(RequestHeaderBlock, EmptyAgentSendsNoUserAgent)
{
    TestHttpServer server;
    Exchange request;
    request.port = server.port();
    request.agent = "";
    ASSERT_TRUE(testing::exchange(request).sent);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_FALSE(server.requests()[0].header("User-Agent"));
}

} // namespace
} // namespace fernwick::platform
