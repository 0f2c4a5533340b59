// web_fetch_text: the exchange of web_fetch with every argument supplied,
// its UTF-8 body as a code-page-936 text.

#include "http/web_fetch.h"

#include <gtest/gtest.h>

#include "test_support/utf8.h"

#include <string>
#include <vector>

#include "test_support/compression.h"
#include "engine_support.h"
#include "test_support/http_server.h"

namespace fernwick {
namespace {

using testing_support::utf8;

using http_testing::bytes_of;
using http_testing::EngineTest;
using http_testing::string_of;
using http_testing::text_of;
using testing_support::http_response;
using testing_support::RecordedRequest;
using testing_support::TestHttpServer;

class FetchText : public EngineTest {
protected:
    Text fetch_text(const std::string& path, const FetchOptions& options = {})
    {
        Text address = text_of(server.url(path));
        return web_fetch_text(address, options);
    }

    TestHttpServer server;
};

TEST_F(FetchText, ConvertsAUtf8ReplyIntoCodePage936)
{
    server.respond("/u", {http_response("HTTP/1.1 200 OK", {"Content-Type: application/json; charset=utf-8"},
                                        utf8(u8"{\"name\":\"哔哩哔哩\",\"face\":\"头像\"}"))});
    EXPECT_EQ(fetch_text("/u"), Text("{\"name\":\"哔哩哔哩\",\"face\":\"头像\"}"));
}

TEST_F(FetchText, ConvertsTheDecodedBody)
{
    const ByteBuffer reply = bytes_of(utf8(u8"发现图片"));
    server.respond("/z", {http_response("HTTP/1.1 200 OK", {"Content-Encoding: gzip"},
                                        string_of(testing_support::compress(reply, testing_support::kGzip)))});
    EXPECT_EQ(fetch_text("/z"), Text("发现图片"));
}

TEST_F(FetchText, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    server.respond("/e", {http_response("HTTP/1.1 200 OK", {}, utf8(u8"图😀片"))});
    EXPECT_EQ(fetch_text("/e"), Text("图?片"));
}

TEST_F(FetchText, ZeroByteEndsTheText)
{
    server.respond("/0", {http_response("HTTP/1.1 200 OK", {}, std::string("before\0after", 12))});
    EXPECT_EQ(fetch_text("/0"), Text("before"));
}

TEST_F(FetchText, FailedFetchGivesTheEmptyText)
{
    Text address = "http://127.0.0.1:0/";
    EXPECT_EQ(web_fetch_text(address), Text());
    EXPECT_EQ(fetch_text("/nowhere"), Text()) << "a bodiless 404";
}

TEST_F(FetchText, AlwaysMergesTheCookies)
{
    // Merging removes spaces and exact repeats, which collecting alone keeps.
    server.respond("/c", {http_response("HTTP/1.1 200 OK", {"Set-Cookie: a=x y", "Set-Cookie: a=x y"}, "")});
    Text cookies_out;
    fetch_text("/c", {.cookies_out = &cookies_out});
    EXPECT_EQ(cookies_out, Text("a=xy"));

    Text address = text_of(server.url("/c"));
    web_fetch(address, {.cookies_out = &cookies_out});
    EXPECT_EQ(cookies_out, Text("a=x y; a=x y")) << "web_fetch without cookies only collects";
}

TEST_F(FetchText, KeepsTheInternetClientsCookiesOut)
{
    server.respond("/a", {http_response("HTTP/1.1 302 Found", {"Location: /b", "Set-Cookie: r=1"}, "")});
    server.respond("/b", {http_response("HTTP/1.1 200 OK", {}, "ok")});
    EXPECT_EQ(fetch_text("/a"), Text("ok"));
    const std::vector<RecordedRequest> received = server.requests();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].header("Cookie"), std::nullopt);
}

TEST_F(FetchText, RewritesTheCallersArguments)
{
    server.respond("/p", {http_response("HTTP/1.1 200 OK", {"Set-Cookie: n=2"}, "ok")});
    Text address = text_of("127.0.0.1:" + std::to_string(server.port()) + "/p");
    const Text body_text = "k=v";
    Text cookies = "o=1";
    Text extra_headers = "X-A: 1";
    Text headers_out;
    ByteBuffer body_bytes;
    EXPECT_EQ(web_fetch_text(address, {.method = 1, .body_text = &body_text, .cookies = &cookies,
                                       .extra_headers = &extra_headers, .headers_out = &headers_out,
                                       .body_bytes = &body_bytes}),
              Text("ok"));
    EXPECT_EQ(address, text_of(server.url("/p")));
    EXPECT_EQ(cookies, Text("n=2; o=1"));
    EXPECT_TRUE(extra_headers.view().starts_with("X-A: 1\r\nAccept: */*\r\n")) << extra_headers.view();
    EXPECT_TRUE(headers_out.view().starts_with("HTTP/1.1 200 OK\r\n")) << headers_out.view();
    EXPECT_EQ(body_bytes, bytes_of("k=v"));
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].body, "k=v");
    EXPECT_EQ(server.requests()[0].header("Cookie"), "o=1");
}

} // namespace
} // namespace fernwick
