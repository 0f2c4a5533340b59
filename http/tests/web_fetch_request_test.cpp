// What web_fetch sends: the request line, the header lines in order and the
// body, exactly as the server receives them, and what it writes back into
// the caller's address, header and body arguments.

#include "http/web_fetch.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine_support.h"
#include "test_support/http_server.h"
#include "test_support/printing.h"

namespace fernwick {
namespace {

using http_testing::bytes_of;
using http_testing::EngineTest;
using http_testing::string_of;
using http_testing::text_of;
using testing_support::http_response;
using testing_support::RecordedRequest;
using testing_support::TestHttpServer;

// Stand-ins in the expected lines: the server's Host line, the default
// agent's line, and (inside a line) the completed address.
constexpr char kHost[] = "@HOST@";
constexpr char kAgent[] = "@AGENT@";
constexpr char kAddress[] = "@ADDRESS@";

constexpr char kDefaultAgentLine[] =
    "User-Agent: Mozilla/5.0 (Windows NT 10.0; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/50.0.2661.102 Safari/537.36";

const std::vector<std::string> kDefaultHeaders{"Accept: */*", "Referer: @ADDRESS@", "Accept-Language: zh-cn",
                                               "Content-Type: application/x-www-form-urlencoded"};

std::vector<std::string> lines(std::vector<std::string> head, const std::vector<std::string>& tail = {})
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

struct SentCase {
    std::string name{};
    int method = 0;
    std::optional<std::string> body_text{};
    std::string body_bytes{}; // always supplied, so that what web_fetch leaves in it shows
    std::optional<std::string> extra_headers{};
    std::optional<std::string> cookies{};
    std::string request_line{}; // for the path /p?q=1
    std::vector<std::string> header_lines{};
    std::string body{};
    std::string body_bytes_after{};
};

void PrintTo(const SentCase& c, std::ostream* os)
{
    *os << c.name << ": method " << c.method;
    if (c.extra_headers)
        *os << " headers " << testing_support::escaped(*c.extra_headers);
    if (c.cookies)
        *os << " cookies " << testing_support::escaped(*c.cookies);
}

std::string case_name(const ::testing::TestParamInfo<SentCase>& info)
{
    return info.param.name;
}

std::string replaced(std::string line, const std::string& from, const std::string& to)
{
    for (std::size_t at = line.find(from); at != std::string::npos; at = line.find(from, at + to.size()))
        line.replace(at, from.size(), to);
    return line;
}

class SentRequest : public EngineTest, public ::testing::WithParamInterface<SentCase> {
protected:
    TestHttpServer server;
};

TEST_P(SentRequest, IsComposedByThePolicy)
{
    const SentCase& c = GetParam();
    server.respond("/p", {http_response("HTTP/1.1 200 OK", {}, "done")});
    const std::string bare = "127.0.0.1:" + std::to_string(server.port()) + "/p?q=1";
    const std::string completed = "http://" + bare;

    Text address = text_of(bare);
    const Text body_text = text_of(c.body_text.value_or(""));
    ByteBuffer body_bytes = bytes_of(c.body_bytes);
    Text extra_headers = text_of(c.extra_headers.value_or(""));
    Text cookies = text_of(c.cookies.value_or(""));
    FetchOptions options{.method = c.method};
    if (c.body_text)
        options.body_text = &body_text;
    options.body_bytes = &body_bytes;
    options.extra_headers = &extra_headers;
    if (c.cookies)
        options.cookies = &cookies;
    EXPECT_EQ(string_of(web_fetch(address, options)), c.method == 2 ? "" : "done");
    EXPECT_EQ(string_of(address), completed);

    std::vector<std::string> expected_lines;
    std::string expected_block;
    for (const std::string& line : c.header_lines) {
        if (line == kHost) {
            expected_lines.push_back("Host: " + replaced(bare, "/p?q=1", ""));
            continue;
        }
        if (line == kAgent) {
            expected_lines.push_back(kDefaultAgentLine);
            continue;
        }
        expected_lines.push_back(replaced(line, kAddress, completed));
        if (!line.starts_with("Content-Length:"))
            expected_block += (expected_block.empty() ? "" : "\r\n") + expected_lines.back();
    }
    const std::vector<RecordedRequest> received = server.requests();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].request_line, c.request_line);
    EXPECT_EQ(received[0].header_lines, expected_lines);
    EXPECT_EQ(received[0].body, c.body);
    EXPECT_EQ(string_of(extra_headers), expected_block) << "the block as sent is handed back";
    EXPECT_EQ(string_of(body_bytes), c.body_bytes_after);
}

INSTANTIATE_TEST_SUITE_P(Requests, SentRequest, ::testing::Values(
    SentCase{.name = "defaults", .request_line = "GET /p?q=1 HTTP/1.1",
             .header_lines = lines({kHost, kAgent}, kDefaultHeaders)},
    SentCase{.name = "get_never_sends_a_body", .body_text = "t=1", .body_bytes = "b=2",
             .request_line = "GET /p?q=1 HTTP/1.1", .header_lines = lines({kHost, kAgent}, kDefaultHeaders),
             .body_bytes_after = "b=2"},
    SentCase{.name = "unknown_method_is_a_bodiless_get", .method = 8, .body_text = "t=1",
             .request_line = "GET /p?q=1 HTTP/1.1", .header_lines = lines({kHost, kAgent}, kDefaultHeaders)},
    SentCase{.name = "negative_method_is_a_bodiless_get", .method = -1, .body_bytes = "b=2",
             .request_line = "GET /p?q=1 HTTP/1.1", .header_lines = lines({kHost, kAgent}, kDefaultHeaders),
             .body_bytes_after = "b=2"},
    SentCase{.name = "post_sends_the_body_text_and_keeps_its_bytes", .method = 1, .body_text = "t=1&u=2",
             .request_line = "POST /p?q=1 HTTP/1.1",
             .header_lines = lines(lines({kHost, kAgent}, kDefaultHeaders), {"Content-Length: 7"}),
             .body = "t=1&u=2", .body_bytes_after = "t=1&u=2"},
    SentCase{.name = "post_prefers_the_body_bytes", .method = 1, .body_text = "t=1", .body_bytes = "b=22",
             .request_line = "POST /p?q=1 HTTP/1.1",
             .header_lines = lines(lines({kHost, kAgent}, kDefaultHeaders), {"Content-Length: 4"}),
             .body = "b=22", .body_bytes_after = "b=22"},
    SentCase{.name = "post_without_a_body", .method = 1, .request_line = "POST /p?q=1 HTTP/1.1",
             .header_lines = lines(lines({kHost, kAgent}, kDefaultHeaders), {"Content-Length: 0"})},
    SentCase{.name = "head_takes_the_body_text_into_its_bytes", .method = 2, .body_text = "x",
             .request_line = "HEAD /p?q=1 HTTP/1.1", .header_lines = lines({kHost, kAgent}, kDefaultHeaders),
             .body_bytes_after = "x"},
    SentCase{.name = "put", .method = 3, .body_text = "data", .request_line = "PUT /p?q=1 HTTP/1.1",
             .header_lines = lines(lines({kHost, kAgent}, kDefaultHeaders), {"Content-Length: 4"}),
             .body = "data", .body_bytes_after = "data"},
    SentCase{.name = "delete", .method = 4, .body_text = "id=3", .request_line = "DELETE /p?q=1 HTTP/1.1",
             .header_lines = lines(lines({kHost, kAgent}, kDefaultHeaders), {"Content-Length: 4"}),
             .body = "id=3", .body_bytes_after = "id=3"},
    SentCase{.name = "options", .method = 5, .request_line = "OPTIONS /p?q=1 HTTP/1.1",
             .header_lines = lines({kHost, kAgent}, kDefaultHeaders)},
    SentCase{.name = "trace", .method = 6, .request_line = "TRACE /p?q=1 HTTP/1.1",
             .header_lines = lines({kHost, kAgent}, kDefaultHeaders)},
    SentCase{.name = "connect", .method = 7, .request_line = "CONNECT /p?q=1 HTTP/1.1",
             .header_lines = lines({kHost, kAgent}, kDefaultHeaders)},
    SentCase{.name = "given_headers_suppress_their_defaults",
             .extra_headers = "Accept: text/html\r\nReferer: http://r/\r\nAccept-Language: en\r\nContent-Type: text/plain",
             .request_line = "GET /p?q=1 HTTP/1.1",
             .header_lines = {kHost, kAgent, "Accept: text/html", "Referer: http://r/", "Accept-Language: en",
                              "Content-Type: text/plain"}},
    SentCase{.name = "defaults_follow_the_given_lines", .extra_headers = "X-One: 1\r\nAccept: text/html",
             .request_line = "GET /p?q=1 HTTP/1.1",
             .header_lines = {kHost, kAgent, "X-One: 1", "Accept: text/html", "Referer: @ADDRESS@",
                              "Accept-Language: zh-cn", "Content-Type: application/x-www-form-urlencoded"}},
    SentCase{.name = "lower_case_referer_does_not_suppress_the_default", .extra_headers = "referer: http://r/",
             .request_line = "GET /p?q=1 HTTP/1.1",
             .header_lines = lines({kHost, kAgent, "referer: http://r/"}, kDefaultHeaders)},
    SentCase{.name = "user_agent_line_takes_the_agent_place", .extra_headers = "User-Agent: Mine/1",
             .request_line = "GET /p?q=1 HTTP/1.1",
             .header_lines = lines({kHost, "User-Agent: Mine/1"}, kDefaultHeaders)},
    SentCase{.name = "lower_case_user_agent_line_is_sent_as_written", .extra_headers = "user-agent: mine/1",
             .request_line = "GET /p?q=1 HTTP/1.1",
             .header_lines = lines({kHost, "user-agent: mine/1"}, kDefaultHeaders)},
    SentCase{.name = "cookies_become_a_cookie_line", .cookies = "a=1; b=2", .request_line = "GET /p?q=1 HTTP/1.1",
             .header_lines = lines(lines({kHost, kAgent}, kDefaultHeaders), {"Cookie: a=1; b=2"})},
    SentCase{.name = "cookies_that_hold_their_line_are_sent_as_it", .cookies = "Cookie: x=9",
             .request_line = "GET /p?q=1 HTTP/1.1",
             .header_lines = lines(lines({kHost, kAgent}, kDefaultHeaders), {"Cookie: x=9"})},
    SentCase{.name = "empty_cookies_add_no_line", .cookies = "", .request_line = "GET /p?q=1 HTTP/1.1",
             .header_lines = lines({kHost, kAgent}, kDefaultHeaders)},
    SentCase{.name = "post_with_headers_and_cookies", .method = 1, .body_text = "k=v",
             .extra_headers = "Content-Type: application/json", .cookies = "sid=7",
             .request_line = "POST /p?q=1 HTTP/1.1",
             .header_lines = {kHost, kAgent, "Content-Type: application/json", "Accept: */*", "Referer: @ADDRESS@",
                              "Accept-Language: zh-cn", "Cookie: sid=7", "Content-Length: 3"},
             .body = "k=v", .body_bytes_after = "k=v"}),
    case_name);

} // namespace
} // namespace fernwick
