#include "platform/url_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "exchange.h"
#include "test_support/http_server.h"
#include "test_support/printing.h"

namespace fernwick::platform {
namespace {

using testing_support::http_response;
using testing_support::TestHttpServer;

ByteBuffer bytes_of(std::string_view text)
{
    return ByteBuffer(text.begin(), text.end());
}

class UrlReader : public ::testing::Test {
protected:
    UrlReader()
    {
        for (TestHttpServer* server : {&plain, &tls}) {
            server->respond("/face.jpg", {http_response("HTTP/1.1 200 OK", {"Content-Type: image/jpeg"}, "\xFF\xD8picture")});
            server->respond("/missing.jpg", {http_response("HTTP/1.1 404 Not Found", {}, "error page")});
            server->respond("/moved.jpg", {http_response("HTTP/1.1 302 Found", {"Location: /face.jpg"}, "")});
            server->respond("/cut.jpg", {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n\xFF\xD8"});
        }
        tls.respond("/to-plain.jpg", {http_response("HTTP/1.1 302 Found", {"Location: " + plain.url("/face.jpg")}, "")});
        plain.respond("/to-tls.jpg", {http_response("HTTP/1.1 302 Found", {"Location: " + tls.url("/face.jpg")}, "")});
    }

    testing::ScopedDiagnostics diagnostics;
    TestHttpServer plain;
    TestHttpServer tls{TestHttpServer::Security::tls};
};

TEST_F(UrlReader, ReadsTheWholeBody)
{
    EXPECT_EQ(read_url(Text(plain.url("/face.jpg"))), bytes_of("\xFF\xD8picture"));
    EXPECT_EQ(read_url(Text(tls.url("/face.jpg"))), bytes_of("\xFF\xD8picture"));
    ASSERT_EQ(plain.requests().size(), 1u);
    EXPECT_EQ(plain.requests()[0].request_line, "GET /face.jpg HTTP/1.1");
}

TEST_F(UrlReader, FollowsRedirectsWithinTheRules)
{
    EXPECT_EQ(read_url(Text(plain.url("/moved.jpg"))), bytes_of("\xFF\xD8picture"));
    EXPECT_EQ(read_url(Text(plain.url("/to-tls.jpg"))), bytes_of("\xFF\xD8picture"));
    EXPECT_TRUE(read_url(Text(tls.url("/to-plain.jpg"))).empty());
}

TEST_F(UrlReader, GivesNothingForAnErrorStatusOrACutBody)
{
    EXPECT_TRUE(read_url(Text(plain.url("/missing.jpg"))).empty());
    EXPECT_TRUE(read_url(Text(plain.url("/cut.jpg"))).empty());
}

TEST_F(UrlReader, GivesNothingForABodyBeyond64MiB)
{
    plain.respond("/huge.jpg", {http_response("HTTP/1.1 200 OK", {}, std::string((64u << 20) + 1, 'h'))});
    EXPECT_TRUE(read_url(Text(plain.url("/huge.jpg"))).empty());
}

TEST_F(UrlReader, GivesNothingWithoutTheTestAuthority)
{
    const testing::ScopedDiagnostics untrusting{InternetDiagnostics{}};
    EXPECT_TRUE(read_url(Text(tls.url("/face.jpg"))).empty());
}

class UnreadableAddress : public ::testing::TestWithParam<std::string> {};

TEST_P(UnreadableAddress, GivesNothing)
{
    EXPECT_TRUE(read_url(Text(GetParam())).empty());
}

INSTANTIATE_TEST_SUITE_P(Addresses, UnreadableAddress, ::testing::Values(
    "", "no address at all", "127.0.0.1/face.jpg", "ftp://127.0.0.1/face.jpg", "file:///etc/hostname",
    "http://127.0.0.1:0/face.jpg", "http://127.0.0.1:99999/face.jpg", "http:///face.jpg"));

} // namespace
} // namespace fernwick::platform
