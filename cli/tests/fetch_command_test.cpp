// fernwick-cli fetch against loopback servers: the options reach the
// request engine's arguments, and its results reach the terminal and files.

#include <gtest/gtest.h>

#include "test_support/utf8.h"

#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "run_cli.h"
#include "test_support/forward_proxy.h"
#include "test_support/http_server.h"
#include "test_support/tls_fixtures.h"

namespace fernwick::cli_testing {
namespace {

using testing_support::utf8;

using testing_support::http_response;
using testing_support::RecordedRequest;
using testing_support::TestForwardProxy;
using testing_support::TestHttpServer;

std::string content_of(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FetchCommand : public ::testing::Test {
protected:
    std::string bare(const std::string& path) const { return "127.0.0.1:" + std::to_string(server.port()) + path; }

    TestHttpServer server;
};

TEST_F(FetchCommand, WritesTheBodyAndTheEngineOutputs)
{
    server.respond("/p", {http_response("HTTP/1.1 200 OK", {"Set-Cookie: new=2; Path=/"}, "the body")});
    TemporaryFile headers_out("");
    TemporaryFile sent("");
    TemporaryFile cookies_out("");
    const CliResult result = run_cli({"fetch", "--method", "1", "--data", "k=v", "--header", "X-One: 1", "--header",
                                      "Accept: text/html", "--cookies", "old=1", "--dump-header", headers_out.path(),
                                      "--sent-header", sent.path(), "--cookies-out", cookies_out.path(),
                                      "--print-address", bare("/p?q=1")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "the body");
    const std::string completed = "http://" + bare("/p?q=1");
    EXPECT_EQ(result.err, completed + "\n");

    const std::string block = "X-One: 1\r\nAccept: text/html\r\nReferer: " + completed +
                              "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                              "Cookie: old=1";
    EXPECT_EQ(content_of(sent.path()), block);
    EXPECT_EQ(content_of(cookies_out.path()), "new=2; old=1");
    EXPECT_EQ(content_of(headers_out.path()),
              "HTTP/1.1 200 OK\r\nSet-Cookie: new=2; Path=/\r\nContent-Length: 8\r\n\r\n");

    const std::vector<RecordedRequest> received = server.requests();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].request_line, "POST /p?q=1 HTTP/1.1");
    EXPECT_EQ(received[0].header("Cookie"), "old=1");
    EXPECT_EQ(received[0].header("X-One"), "1");
    EXPECT_EQ(received[0].body, "k=v");
}

TEST_F(FetchCommand, OutputFileTakesTheBody)
{
    const std::string picture("\x89PNG\r\n\x1A\n\0\0binary", 16);
    server.respond("/pic", {http_response("HTTP/1.1 200 OK", {}, picture)});
    TemporaryFile output("");
    const CliResult result = run_cli({"fetch", "--output", output.path(), server.url("/pic")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(content_of(output.path()), picture);
}

TEST_F(FetchCommand, TextWritesTheReplyInCodePage936)
{
    server.respond("/u", {http_response("HTTP/1.1 200 OK", {}, utf8(u8"{\"name\":\"哔哩\"}"))});
    const CliResult result = run_cli({"fetch", "--text", server.url("/u")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "{\"name\":\"哔哩\"}") << "narrow literals are code page 936";
}

TEST_F(FetchCommand, CommandLineTextsAreTakenAsUtf8)
{
    server.respond("/p", {http_response("HTTP/1.1 200 OK", {}, "ok")});
    EXPECT_EQ(run_cli({"fetch", "--method", "1", "--data", utf8(u8"名=值"), server.url("/p")}).out, "ok");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].body, "名=值");
}

TEST_F(FetchCommand, NoRedirectGivesTheRedirect)
{
    server.respond("/a", {http_response("HTTP/1.1 302 Found", {"Location: /b"}, "moved")});
    server.respond("/b", {http_response("HTTP/1.1 200 OK", {}, "arrived")});
    EXPECT_EQ(run_cli({"fetch", server.url("/a")}).out, "arrived");
    EXPECT_EQ(run_cli({"fetch", "--no-redirect", server.url("/a")}).out, "moved");
}

TEST_F(FetchCommand, ProxyCarriesTheRequest)
{
    TestForwardProxy proxy;
    server.respond("/p", {http_response("HTTP/1.1 200 OK", {}, "proxied")});
    EXPECT_EQ(run_cli({"fetch", "--proxy", "127.0.0.1:" + std::to_string(proxy.port()), server.url("/p")}).out,
              "proxied");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].target(), server.url("/p"));
}

TEST_F(FetchCommand, DiagnosticOptionsReachFixedHostsOverHttps)
{
    TestHttpServer tls_server(TestHttpServer::Security::tls);
    tls_server.respond("/x", {http_response("HTTP/1.1 200 OK", {}, "secure")});
    const std::string rule = "example.test:443:127.0.0.1:" + std::to_string(tls_server.port());
    EXPECT_EQ(run_cli({"fetch", "--connect-to", rule, "--cacert", testing_support::test_ca_file(),
                       "https://example.test/x"})
                  .out,
              "secure");
    EXPECT_EQ(run_cli({"fetch", "--connect-to", rule, "https://example.test/x"}).out, "")
        << "the test authority is not trusted without --cacert";
}

TEST_F(FetchCommand, FailedExchangeStillSucceeds)
{
    const CliResult result = run_cli({"fetch", "--print-address", "127.0.0.1:0/x"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "http://127.0.0.1:0/x\n");
}

struct UsageCase {
    std::string name;
    std::vector<std::string> arguments;
};

void PrintTo(const UsageCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string case_name(const ::testing::TestParamInfo<UsageCase>& info)
{
    return info.param.name;
}

class FetchUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(FetchUsage, IsRefusedWithTheUsageText)
{
    std::vector<std::string> arguments{"fetch"};
    arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    const CliResult result = run_cli(arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("fernwick-cli fetch [--method N]"), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(Arguments, FetchUsage, ::testing::Values(
    UsageCase{"no_address", {}},
    UsageCase{"two_addresses", {"a", "b"}},
    UsageCase{"unknown_option", {"--verbose", "a"}},
    UsageCase{"method_not_a_number", {"--method", "post", "a"}},
    UsageCase{"method_beyond_int", {"--method", "99999999999", "a"}},
    UsageCase{"header_without_value", {"a", "--header"}},
    UsageCase{"connect_to_without_value", {"a", "--connect-to"}}),
    case_name);

} // namespace
} // namespace fernwick::cli_testing
