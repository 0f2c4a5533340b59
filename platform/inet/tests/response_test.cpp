// What the caller gets back: the body in reads of at most 1024 bytes, the raw
// header block of the final response, and clean failures from broken servers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <ostream>
#include <string>

#include "exchange.h"
#include "test_support/http_server.h"
#include "test_support/printing.h"

namespace fernwick::platform {
namespace {

using testing::Exchange;
using testing::Outcome;
using testing_support::Ending;
using testing_support::http_response;
using testing_support::ScriptedResponse;
using testing_support::TestHttpServer;

std::string sample_body(std::size_t size)
{
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>('a' + (i * 7 + i / 13) % 26);
    return body;
}

Outcome fetch(const TestHttpServer& server, const std::string& path, std::uint32_t read_size = 1024)
{
    Exchange request;
    request.port = server.port();
    request.path = path;
    request.read_size = read_size;
    return testing::exchange(request);
}

struct HeadCase {
    std::string name;
    std::string response;
    std::string expected_head;
    std::string expected_body;
};

void PrintTo(const HeadCase& c, std::ostream* os)
{
    *os << c.name << ": " << testing_support::escaped(c.response);
}

class RawHeaderBlock : public ::testing::TestWithParam<HeadCase> {
protected:
    TestHttpServer server;
};

TEST_P(RawHeaderBlock, IsTheFinalResponseHeadAsReceived)
{
    server.respond("/reply", {GetParam().response});
    const Outcome outcome = fetch(server, "/reply");
    EXPECT_TRUE(outcome.sent);
    EXPECT_FALSE(outcome.last_read_failed);
    ASSERT_TRUE(outcome.head_queried);
    EXPECT_EQ(outcome.head, GetParam().expected_head);
    EXPECT_EQ(outcome.body, GetParam().expected_body);
}

INSTANTIATE_TEST_SUITE_P(Responses, RawHeaderBlock, ::testing::Values(
    HeadCase{"cookies_in_any_spelling",
             "HTTP/1.1 200 OK\r\nSet-Cookie:a=1\r\nset-cookie: b=2; Path=/\r\nContent-Length: 5\r\n\r\nhello",
             "HTTP/1.1 200 OK\r\nSet-Cookie:a=1\r\nset-cookie: b=2; Path=/\r\nContent-Length: 5\r\n\r\n", "hello"},
    HeadCase{"bare_line_feeds_become_crlf", "HTTP/1.1 200 OK\nX-A: 1\nContent-Length: 2\n\nok",
             "HTTP/1.1 200 OK\r\nX-A: 1\r\nContent-Length: 2\r\n\r\n", "ok"},
    HeadCase{"informational_response_is_skipped",
             "HTTP/1.1 100 Continue\r\nX-Early: 1\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok",
             "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n", "ok"},
    HeadCase{"error_status_keeps_its_body", "HTTP/1.1 404 Not Found\r\nContent-Length: 7\r\n\r\nmissing",
             "HTTP/1.1 404 Not Found\r\nContent-Length: 7\r\n\r\n", "missing"},
    HeadCase{"server_error_keeps_its_body", "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 4\r\n\r\noops",
             "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 4\r\n\r\n", "oops"},
    HeadCase{"encoded_body_is_not_decoded",
             "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 4\r\n\r\n\x1f\x8b\x08\x08",
             "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 4\r\n\r\n", "\x1f\x8b\x08\x08"},
    HeadCase{"chunked_body_is_joined",
             "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n2\r\nde\r\n0\r\n\r\n",
             "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "abcde"},
    HeadCase{"body_until_close", "HTTP/1.0 200 OK\r\nX-B: 2\r\n\r\nto the end",
             "HTTP/1.0 200 OK\r\nX-B: 2\r\n\r\n", "to the end"},
    HeadCase{"no_content", "HTTP/1.1 204 No Content\r\n\r\n", "HTTP/1.1 204 No Content\r\n\r\n", ""}),
    testing::case_name<HeadCase>);

struct ReadCase {
    std::size_t body_size;
    std::uint32_t read_size;
    std::uint32_t largest_read;
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.body_size << " bytes read " << c.read_size << " at a time";
}

class BodyReads : public ::testing::TestWithParam<ReadCase> {
protected:
    TestHttpServer server;
};

TEST_P(BodyReads, GiveEveryByteInPiecesOfAtMost1024)
{
    const std::string body = sample_body(GetParam().body_size);
    server.respond("/body", {http_response("HTTP/1.1 200 OK", {}, body)});
    const Outcome outcome = fetch(server, "/body", GetParam().read_size);
    EXPECT_FALSE(outcome.last_read_failed);
    EXPECT_TRUE(outcome.body == body);
    ASSERT_FALSE(outcome.read_sizes.empty());
    EXPECT_EQ(*std::max_element(outcome.read_sizes.begin(), outcome.read_sizes.end()), GetParam().largest_read);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BodyReads, ::testing::Values(
    ReadCase{5000, 1024, 1024},
    ReadCase{5000, 4096, 1024},
    ReadCase{5000, 10, 10},
    ReadCase{1000, 1024, 1000},
    // Far more than the layer's buffer, so the transfer pauses and resumes many times.
    ReadCase{3u << 20, 1024, 1024}));

TEST(EmptyBody, EndsAtTheFirstRead)
{
    TestHttpServer server;
    server.respond("/empty", {http_response("HTTP/1.1 200 OK", {}, "")});
    const Outcome outcome = fetch(server, "/empty");
    EXPECT_TRUE(outcome.sent);
    EXPECT_TRUE(outcome.read_sizes.empty());
    EXPECT_FALSE(outcome.last_read_failed);
}

TEST(HeadRequest, ReadsNoBodyThoughALengthIsAnnounced)
{
    TestHttpServer server;
    server.respond("/", {"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n"});
    Exchange request;
    request.port = server.port();
    request.method = "HEAD";
    const Outcome outcome = testing::exchange(request);
    EXPECT_TRUE(outcome.sent);
    EXPECT_TRUE(outcome.body.empty());
    EXPECT_FALSE(outcome.last_read_failed);
    EXPECT_EQ(outcome.head, "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n");
}

// The query with a buffer of a given length, on a request whose response head is known.
class HeaderQuery : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.respond("/", {kResponse});
        Exchange exchange;
        exchange.port = server.port();
        opened = testing::open_request(exchange);
        request = opened.request.get();
    }

    static constexpr char kHead[] = "HTTP/1.1 200 OK\r\nX-Size: exact\r\nContent-Length: 2\r\n\r\n";
    static constexpr std::uint32_t kHeadLength = sizeof kHead - 1;
    const std::string kResponse = std::string(kHead) + "ok";

    TestHttpServer server;
    testing::OpenedRequest opened;
    InternetHandle request = nullptr;
};

TEST_F(HeaderQuery, FitsExactlyWithItsTerminator)
{
    ASSERT_TRUE(HttpSendRequestA(request, nullptr, 0, nullptr, 0));
    char buffer[kHeadLength + 1];
    std::uint32_t length = sizeof buffer;
    ASSERT_TRUE(HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr));
    EXPECT_EQ(length, kHeadLength);
    EXPECT_STREQ(buffer, kHead);
}

TEST_F(HeaderQuery, OneByteShortFailsAndLeavesTheBufferUntouched)
{
    ASSERT_TRUE(HttpSendRequestA(request, nullptr, 0, nullptr, 0));
    char buffer[kHeadLength];
    std::memset(buffer, ' ', sizeof buffer);
    std::uint32_t length = sizeof buffer;
    EXPECT_FALSE(HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr));
    EXPECT_EQ(length, kHeadLength + 1);
    EXPECT_TRUE(std::all_of(buffer, buffer + sizeof buffer, [](char c) { return c == ' '; }));
}

TEST_F(HeaderQuery, OtherLevelsIndexesAndUnsentRequestsFail)
{
    char buffer[256];
    std::uint32_t length = sizeof buffer;
    EXPECT_FALSE(HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr));
    ASSERT_TRUE(HttpSendRequestA(request, nullptr, 0, nullptr, 0));
    EXPECT_FALSE(HttpQueryInfoA(request, 21, buffer, &length, nullptr));
    std::uint32_t index = 0;
    EXPECT_FALSE(HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, &index));
    EXPECT_FALSE(HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer, nullptr, nullptr));
    EXPECT_TRUE(HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr));
}

TEST(LongHeaderBlock, DoesNotFitTheEnginesBufferOf5000)
{
    TestHttpServer server;
    server.respond("/long", {http_response("HTTP/1.1 200 OK", {"X-Long: " + std::string(6000, 'v')}, "ok")});
    Exchange exchange;
    exchange.port = server.port();
    exchange.path = "/long";
    const testing::OpenedRequest opened = testing::open_request(exchange);
    InternetHandle request = opened.request.get();
    ASSERT_TRUE(HttpSendRequestA(request, nullptr, 0, nullptr, 0));
    std::string buffer(5000, ' ');
    std::uint32_t length = 5000;
    EXPECT_FALSE(HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr));
    EXPECT_EQ(buffer, std::string(5000, ' '));
    EXPECT_GT(length, 6000u);
}

// Servers that break off, talk nonsense or fall silent: the exchange fails
// cleanly, keeping whatever body bytes had arrived.
struct BrokenCase {
    std::string name;
    ScriptedResponse response;
    bool sent;
    std::string body;
};

void PrintTo(const BrokenCase& c, std::ostream* os)
{
    *os << c.name; // the responses run to a mebibyte
}

class BrokenServer : public ::testing::TestWithParam<BrokenCase> {
protected:
    static InternetDiagnostics short_stall()
    {
        InternetDiagnostics diagnostics;
        diagnostics.stall_timeout_seconds = 1;
        return diagnostics;
    }
    testing::ScopedDiagnostics diagnostics{short_stall()};
    TestHttpServer server;
};

TEST_P(BrokenServer, FailsTheExchangeCleanly)
{
    server.respond("/broken", GetParam().response);
    const Outcome outcome = fetch(server, "/broken");
    EXPECT_TRUE(outcome.connected);
    EXPECT_EQ(outcome.sent, GetParam().sent);
    EXPECT_EQ(outcome.body, GetParam().body);
    EXPECT_TRUE(outcome.last_read_failed);
    EXPECT_EQ(outcome.head_queried, GetParam().sent);
}

const std::string kCutHead = "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n";

// A head of more than a mebibyte in lines of a kilobyte each.
std::string endless_head()
{
    std::string head = "HTTP/1.1 200 OK\r\n";
    for (int line = 0; line < 1100; ++line)
        head += "X-Filler-" + std::to_string(line) + ": " + std::string(1000, 'f') + "\r\n";
    return head + "Content-Length: 2\r\n\r\nok";
}

INSTANTIATE_TEST_SUITE_P(Servers, BrokenServer, ::testing::Values(
    BrokenCase{"garbage_instead_of_http", {"garbage\r\n\r\nmore garbage"}, false, ""},
    BrokenCase{"closed_without_a_byte", {""}, false, ""},
    BrokenCase{"head_cut_short", {"HTTP/1.1 200 OK\r\nContent-Le"}, false, ""},
    BrokenCase{"body_cut_short", {kCutHead + "0123456789"}, true, "0123456789"},
    BrokenCase{"chunks_cut_short", {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nabcde\r\n9\r\nfg"},
               true, "abcdefg"},
    BrokenCase{"silent_after_part_of_the_body", {kCutHead + "0123456789", Ending::hold_open}, true, "0123456789"},
    BrokenCase{"silent_before_the_head", {"", Ending::hold_open}, false, ""},
    BrokenCase{"silent_within_the_head", {"HTTP/1.1 200 OK\r\n", Ending::hold_open}, false, ""},
    BrokenCase{"head_beyond_a_mebibyte", {endless_head()}, false, ""}),
    testing::case_name<BrokenCase>);

TEST(ResetConnection, EndsTheExchangeWithAFailure)
{
    TestHttpServer server;
    server.respond("/reset", {kCutHead + "0123456789", Ending::reset});
    const Outcome outcome = fetch(server, "/reset");
    // The reset may overtake the bytes sent before it, so how far the exchange got varies; its failure does not.
    EXPECT_TRUE(!outcome.sent || outcome.last_read_failed);
    EXPECT_EQ(outcome.body, std::string("0123456789").substr(0, outcome.body.size()));
}

} // namespace
} // namespace fernwick::platform
