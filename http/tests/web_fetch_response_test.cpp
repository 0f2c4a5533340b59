// What web_fetch makes of a response: the body, the raw header block, the
// cookies it sets, the decoding of compressed bodies, redirects and proxies.

#include "http/web_fetch.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "test_support/compression.h"
#include "engine_support.h"
#include "test_support/forward_proxy.h"
#include "test_support/http_server.h"
#include "test_support/printing.h"

namespace fernwick {
namespace {

using http_testing::bytes_of;
using http_testing::EngineTest;
using http_testing::string_of;
using http_testing::text_of;
using testing_support::Ending;
using testing_support::http_response;
using testing_support::RecordedRequest;
using testing_support::TestForwardProxy;
using testing_support::TestHttpServer;

// Fetches `address` with headers_out and cookies_out supplied.
struct Fetched {
    std::string body;
    std::string headers;
    std::string cookies_out;
};

Fetched fetch(const std::string& address, FetchOptions options = {})
{
    Text target = text_of(address);
    Text headers_out;
    Text cookies_out;
    options.headers_out = &headers_out;
    options.cookies_out = &cookies_out;
    const ByteBuffer body = web_fetch(target, options);
    return {string_of(body), string_of(headers_out), string_of(cookies_out)};
}

class Response : public EngineTest {
protected:
    TestHttpServer server;
    TestHttpServer tls_server{TestHttpServer::Security::tls};
};

TEST_F(Response, HeaderBlockIsTheRawBlockWithCookieHeadersRespelled)
{
    server.respond("/h", {"HTTP/1.1 200 OK\r\nset-cookie: a=1\r\nX-Note: SET-COOKIE text\r\nContent-Length: 2\r\n\r\nok"});
    const Fetched got = fetch(server.url("/h"));
    EXPECT_EQ(got.body, "ok");
    EXPECT_EQ(got.headers, "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nX-Note: Set-Cookie text\r\nContent-Length: 2\r\n\r\n");
}

TEST_F(Response, ErrorStatusesGiveTheirBodies)
{
    server.respond("/missing", {http_response("HTTP/1.1 404 Not Found", {}, "no such page")});
    server.respond("/broken", {http_response("HTTP/1.1 500 Internal Server Error", {}, "it broke")});
    const Fetched missing = fetch(server.url("/missing"));
    EXPECT_EQ(missing.body, "no such page");
    EXPECT_TRUE(missing.headers.starts_with("HTTP/1.1 404 Not Found\r\n")) << missing.headers;
    const Fetched broken = fetch(server.url("/broken"));
    EXPECT_EQ(broken.body, "it broke");
    EXPECT_TRUE(broken.headers.starts_with("HTTP/1.1 500 Internal Server Error\r\n")) << broken.headers;
}

TEST_F(Response, BodyCutShortGivesWhatArrived)
{
    server.respond("/short", {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789", Ending::close});
    const Fetched got = fetch(server.url("/short"));
    EXPECT_EQ(got.body, "0123456789");
    EXPECT_EQ(got.headers, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
}

TEST_F(Response, LongBodyArrivesWholeInOrder)
{
    const ByteBuffer long_body = testing_support::sample_bytes(300000);
    server.respond("/long", {http_response("HTTP/1.1 200 OK", {}, string_of(long_body))});
    EXPECT_EQ(fetch(server.url("/long")).body, string_of(long_body));
}

struct CookieCase {
    std::string name;
    std::vector<std::string> response_lines;
    std::optional<std::string> cookies; // supplied when set
    std::string cookies_out;
};

void PrintTo(const CookieCase& c, std::ostream* os)
{
    *os << c.name;
    for (const std::string& line : c.response_lines)
        *os << " [" << testing_support::escaped(line) << "]";
    if (c.cookies)
        *os << " sending " << testing_support::escaped(*c.cookies);
}

std::string cookie_case_name(const ::testing::TestParamInfo<CookieCase>& info)
{
    return info.param.name;
}

class SetCookies : public Response, public ::testing::WithParamInterface<CookieCase> {};

TEST_P(SetCookies, AreCollectedAndMerged)
{
    const CookieCase& c = GetParam();
    server.respond("/c", {http_response("HTTP/1.1 200 OK", c.response_lines, "x")});
    Text cookies = text_of(c.cookies.value_or(""));
    FetchOptions options;
    if (c.cookies)
        options.cookies = &cookies;
    EXPECT_EQ(fetch(server.url("/c"), options).cookies_out, c.cookies_out);
    if (c.cookies) {
        EXPECT_EQ(string_of(cookies), c.cookies_out) << "the merged text is left in the cookies sent";
    }
}

INSTANTIATE_TEST_SUITE_P(Responses, SetCookies, ::testing::Values(
    CookieCase{"attributes_are_dropped", {"Set-Cookie: a=1", "Set-Cookie: b=2; Path=/; HttpOnly"}, {}, "a=1; b=2"},
    CookieCase{"no_cookies", {"X-Other: 1"}, {}, ""},
    CookieCase{"lower_case_name", {"set-cookie: a=1; path=/"}, {}, "a=1"},
    CookieCase{"mixed_case_name", {"SeT-CoOkIe: s=x"}, {}, "s=x"},
    CookieCase{"no_space_after_the_colon", {"Set-Cookie:a=1", "Set-Cookie:b=2; Path=/"}, {}, ""},
    CookieCase{"other_names_starting_alike", {"Set-Cookie2: z=1"}, {}, ""},
    CookieCase{"value_is_trimmed", {"Set-Cookie:   a=1   "}, {}, "a=1"},
    CookieCase{"value_with_equals_signs", {"Set-Cookie: t=a=b; Max-Age=9"}, {}, "t=a=b"},
    CookieCase{"received_first_then_the_sent_rest", {"Set-Cookie: a=1"}, "x=1; a=0", "a=1; x=1"},
    CookieCase{"sent_only_come_back_merged", {}, "s = 1;  t=2", "s=1; t=2"},
    CookieCase{"deleted_cookie_is_removed", {"Set-Cookie: b=deleted; Max-Age=0"}, "a=1; b=2", "a=1"},
    CookieCase{"empty_sent_and_none_received", {}, "", ""}),
    cookie_case_name);

// A body as the server sends it and as web_fetch should return it.
struct EncodingCase {
    std::string name;
    std::vector<std::string> response_lines;
    ByteBuffer sent;
    ByteBuffer expected;
};

void PrintTo(const EncodingCase& c, std::ostream* os)
{
    *os << c.name << ", " << c.sent.size() << " bytes sent";
}

std::string encoding_case_name(const ::testing::TestParamInfo<EncodingCase>& info)
{
    return info.param.name;
}

const ByteBuffer kPlain = bytes_of("{\"code\":0,\"data\":{\"name\":\"uploader\"}} repeated, repeated, repeated");
const ByteBuffer kGzipped = testing_support::compress(kPlain, testing_support::kGzip);
const ByteBuffer kZlibWrapped = testing_support::compress(kPlain, testing_support::kZlib);
const ByteBuffer kRawDeflate = testing_support::compress(kPlain, testing_support::kRawDeflate);
const ByteBuffer kExactly64KiB = testing_support::sample_bytes(65536);
const ByteBuffer kOver64KiB = testing_support::sample_bytes(3 * 65536 + 123);
const ByteBuffer kGzippedNothing = testing_support::compress({}, testing_support::kGzip);
const ByteBuffer kGzippedCut(kGzipped.begin(), kGzipped.begin() + static_cast<std::ptrdiff_t>(kGzipped.size() / 2));

class Encodings : public Response, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(Encodings, AreDecodedAsAnnounced)
{
    const EncodingCase& c = GetParam();
    server.respond("/e", {http_response("HTTP/1.1 200 OK", c.response_lines, string_of(c.sent))});
    EXPECT_EQ(fetch(server.url("/e")).body, string_of(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Responses, Encodings, ::testing::Values(
    EncodingCase{"gzip", {"Content-Encoding: gzip"}, kGzipped, kPlain},
    EncodingCase{"gzip_announced_for_zlib_data", {"Content-Encoding: gzip"}, kZlibWrapped, kPlain},
    EncodingCase{"raw_deflate", {"Content-Encoding: deflate"}, kRawDeflate, kPlain},
    EncodingCase{"zlib_wrapped_deflate", {"Content-Encoding: deflate"}, kZlibWrapped, kPlain},
    EncodingCase{"both_announced_deflate_decodes", {"Content-Encoding: gzip", "Content-Encoding: deflate"},
                 kRawDeflate, kPlain},
    EncodingCase{"both_announced_gzip_result_is_dropped", {"Content-Encoding: gzip", "Content-Encoding: deflate"},
                 kGzipped, kGzipped},
    EncodingCase{"lower_case_header_name_is_not_seen", {"content-encoding: gzip"}, kGzipped, kGzipped},
    EncodingCase{"capital_coding_name_is_not_seen", {"Content-Encoding: GZIP"}, kGzipped, kGzipped},
    EncodingCase{"no_space_after_the_colon", {"Content-Encoding:gzip"}, kGzipped, kGzipped},
    EncodingCase{"nothing_announced", {}, kGzipped, kGzipped},
    EncodingCase{"decoding_to_nothing_keeps_the_body", {"Content-Encoding: gzip"}, kGzippedNothing,
                 kGzippedNothing},
    EncodingCase{"cut_stream_keeps_the_body", {"Content-Encoding: gzip"}, kGzippedCut, kGzippedCut},
    EncodingCase{"not_compressed_at_all", {"Content-Encoding: deflate"}, kPlain, kPlain},
    EncodingCase{"decodes_to_exactly_64_KiB", {"Content-Encoding: gzip"},
                 testing_support::compress(kExactly64KiB, testing_support::kGzip), kExactly64KiB},
    EncodingCase{"decodes_to_over_64_KiB", {"Content-Encoding: deflate"},
                 testing_support::compress(kOver64KiB, testing_support::kRawDeflate), kOver64KiB},
    EncodingCase{"empty_body", {"Content-Encoding: gzip"}, {}, {}}),
    encoding_case_name);

TEST_F(Response, ExchangesRunOnTwoThreadsAtOnce)
{
    const ByteBuffer picture = testing_support::sample_bytes(200000);
    server.respond("/pic", {http_response("HTTP/1.1 200 OK", {}, string_of(picture))});
    server.respond("/json", {http_response("HTTP/1.1 200 OK", {"Content-Encoding: gzip"}, string_of(kGzipped))});
    constexpr int kRounds = 10;
    int pictures_right = 0;
    std::thread worker([&] {
        for (int round = 0; round < kRounds; ++round)
            pictures_right += fetch(server.url("/pic")).body == string_of(picture) ? 1 : 0;
    });
    int replies_right = 0;
    for (int round = 0; round < kRounds; ++round)
        replies_right += fetch(server.url("/json")).body == string_of(kPlain) ? 1 : 0;
    worker.join();
    EXPECT_EQ(pictures_right, kRounds);
    EXPECT_EQ(replies_right, kRounds);
}

TEST_F(Response, WithoutADecoderCompressedBodiesComeBackAsReceived)
{
    use_inflater(nullptr);
    server.respond("/e", {http_response("HTTP/1.1 200 OK", {"Content-Encoding: gzip"}, string_of(kGzipped))});
    EXPECT_EQ(fetch(server.url("/e")).body, string_of(kGzipped));
}

// A response whose header block, as the internet layer gives it (status
// line, header lines, the empty line), is `size` bytes long.
std::string response_with_head_of(std::size_t size, const ByteBuffer& body)
{
    std::string head = "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nSet-Cookie: a=1\r\nContent-Length: " +
                       std::to_string(body.size()) + "\r\nX-Pad: ";
    const std::string end = "\r\n\r\n";
    head += std::string(size - head.size() - end.size(), 'p') + end;
    return head + string_of(body);
}

TEST_F(Response, HeaderBlockFillingTheBufferIsRead)
{
    const std::string response = response_with_head_of(4999, kGzipped);
    server.respond("/big", {response});
    const Fetched got = fetch(server.url("/big"));
    EXPECT_EQ(got.headers, response.substr(0, 4999));
    EXPECT_EQ(got.cookies_out, "a=1");
    EXPECT_EQ(got.body, string_of(kPlain));
}

TEST_F(Response, HeaderBlockTooLongForTheBufferLeavesSpacesAndNoDecoding)
{
    server.respond("/big", {response_with_head_of(5000, kGzipped)});
    const Fetched got = fetch(server.url("/big"));
    EXPECT_EQ(got.headers, std::string(5000, ' '));
    EXPECT_EQ(got.cookies_out, "");
    EXPECT_EQ(got.body, string_of(kGzipped));
}

TEST_F(Response, RedirectChainIsFollowedToTheEnd)
{
    server.respond("/a", {http_response("HTTP/1.1 302 Found", {"Location: /b", "Set-Cookie: r=1"}, "moved")});
    server.respond("/b", {http_response("HTTP/1.1 301 Moved Permanently", {"Location: " + server.url("/c")}, "")});
    server.respond("/c", {http_response("HTTP/1.1 200 OK", {"Set-Cookie: f=2"}, "arrived")});
    const Fetched got = fetch(server.url("/a"));
    EXPECT_EQ(got.body, "arrived");
    EXPECT_TRUE(got.headers.starts_with("HTTP/1.1 200 OK\r\n")) << got.headers;
    EXPECT_EQ(got.cookies_out, "f=2") << "only the final response's cookies are collected";
    const std::vector<RecordedRequest> received = server.requests();
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[2].path(), "/c");
    // Without cookies of its own the internet client keeps the cookies of the
    // hops for the next one.
    EXPECT_EQ(received[2].header("Cookie"), "r=1");
}

TEST_F(Response, SuppliedCookiesTurnTheClientsOwnCookieHandlingOff)
{
    server.respond("/a", {http_response("HTTP/1.1 302 Found", {"Location: /c", "Set-Cookie: r=1"}, "")});
    server.respond("/c", {http_response("HTTP/1.1 200 OK", {}, "arrived")});
    Text cookies;
    EXPECT_EQ(fetch(server.url("/a"), {.cookies = &cookies}).body, "arrived");
    const std::vector<RecordedRequest> received = server.requests();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].header("Cookie"), std::nullopt);
}

TEST_F(Response, NoRedirectReadsTheRedirectItself)
{
    server.respond("/a", {http_response("HTTP/1.1 302 Found", {"Location: /b", "Set-Cookie: r=1"}, "moved")});
    const Fetched got = fetch(server.url("/a"), {.no_redirect = true});
    EXPECT_EQ(got.body, "moved");
    EXPECT_TRUE(got.headers.starts_with("HTTP/1.1 302 Found\r\n")) << got.headers;
    EXPECT_EQ(got.cookies_out, "r=1");
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(Response, PlainHttpFollowsARedirectToHttps)
{
    server.respond("/a", {http_response("HTTP/1.1 302 Found", {"Location: " + tls_server.url("/s")}, "")});
    tls_server.respond("/s", {http_response("HTTP/1.1 200 OK", {}, "secure")});
    EXPECT_EQ(fetch(server.url("/a")).body, "secure");
    EXPECT_EQ(tls_server.requests().size(), 1u);
}

TEST_F(Response, HttpsDoesNotFollowARedirectToPlainHttp)
{
    tls_server.respond("/a", {http_response("HTTP/1.1 302 Found", {"Location: " + server.url("/p")}, "moved")});
    server.respond("/p", {http_response("HTTP/1.1 200 OK", {}, "plain")});
    const Fetched got = fetch(tls_server.url("/a"));
    EXPECT_EQ(got.body, "moved");
    EXPECT_TRUE(got.headers.starts_with("HTTP/1.1 302 Found\r\n")) << got.headers;
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(Response, ProxyCarriesPlainHttpAddresses)
{
    TestForwardProxy proxy;
    server.respond("/p", {http_response("HTTP/1.1 200 OK", {}, "via proxy")});
    const Text proxy_text = text_of("127.0.0.1:" + std::to_string(proxy.port()));
    EXPECT_EQ(fetch(server.url("/p?x=1"), {.proxy = &proxy_text}).body, "via proxy");
    const std::vector<RecordedRequest> at_proxy = proxy.requests();
    ASSERT_EQ(at_proxy.size(), 1u);
    EXPECT_EQ(at_proxy[0].request_line, "GET " + server.url("/p?x=1") + " HTTP/1.1");
    EXPECT_EQ(at_proxy[0].header("Referer"), server.url("/p?x=1"));
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(Response, ProxyIsAskedToTunnelHttpsAddresses)
{
    TestForwardProxy proxy;
    const Text proxy_text = text_of("127.0.0.1:" + std::to_string(proxy.port()));
    const Fetched got = fetch(tls_server.url("/s"), {.proxy = &proxy_text});
    // The test proxy does not tunnel; that the request came to it shows the
    // proxy serves HTTPS addresses too.
    EXPECT_EQ(got.body, "");
    const std::vector<RecordedRequest> at_proxy = proxy.requests();
    ASSERT_EQ(at_proxy.size(), 1u);
    EXPECT_EQ(at_proxy[0].method(), "CONNECT");
    EXPECT_TRUE(tls_server.requests().empty());
}

TEST_F(Response, AddressWithoutSchemeOrPortGoesToPort80)
{
    connect_to({"example.test:80:127.0.0.1:" + std::to_string(server.port())});
    server.respond("/p", {http_response("HTTP/1.1 200 OK", {}, "port 80")});
    Text address = "example.test/p";
    EXPECT_EQ(string_of(web_fetch(address)), "port 80");
    EXPECT_EQ(address, Text("http://example.test/p"));
    const std::vector<RecordedRequest> received = server.requests();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].header("Host"), "example.test");
    EXPECT_EQ(received[0].header("Referer"), "http://example.test/p");
}

TEST_F(Response, HttpsAddressWithoutPortGoesToPort443)
{
    connect_to({"example.test:443:127.0.0.1:" + std::to_string(tls_server.port())});
    tls_server.respond("/p", {http_response("HTTP/1.1 200 OK", {}, "port 443")});
    Text address = "https://example.test/p";
    EXPECT_EQ(string_of(web_fetch(address)), "port 443");
    ASSERT_EQ(tls_server.requests().size(), 1u);
    EXPECT_EQ(tls_server.requests()[0].header("Host"), "example.test");
}

} // namespace
} // namespace fernwick
