// web_fetch on addresses and servers that cannot give a proper exchange:
// each call returns promptly with the empty body and the arguments in the
// state the failure leaves them in.

#include "http/web_fetch.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "engine_support.h"
#include "platform/inet.h"
#include "test_support/http_server.h"

namespace fernwick {
namespace {

using http_testing::bytes_of;
using http_testing::EngineTest;
using http_testing::string_of;
using http_testing::text_of;
using testing_support::Ending;
using testing_support::TestHttpServer;

constexpr char kSentCookies[] = "keep=1";
constexpr char kExtraHeaders[] = "X-Keep: 1";
constexpr char kBefore[] = "before";

// Every in/out and out argument supplied, holding recognisable values.
class Arguments {
public:
    explicit Arguments(std::string address) : address_(text_of(address)) {}

    ByteBuffer fetch()
    {
        return web_fetch(address_, {.method = 1, .body_text = &body_text_, .cookies = &cookies_,
                                    .cookies_out = &cookies_out_, .extra_headers = &extra_headers_,
                                    .headers_out = &headers_out_, .body_bytes = &body_bytes_});
    }

    std::string address() const { return string_of(address_); }

    // No handle set was obtained: nothing but the address was written.
    void expect_untouched() const
    {
        EXPECT_EQ(cookies_, Text(kSentCookies));
        EXPECT_EQ(cookies_out_, Text(kBefore));
        EXPECT_EQ(extra_headers_, Text(kExtraHeaders));
        EXPECT_EQ(headers_out_, Text(kBefore));
        EXPECT_TRUE(body_bytes_.empty());
    }

    // The request was made but no response came: the block and body were
    // prepared, the header buffer stayed blank, and only the sent cookies
    // come back.
    void expect_no_response() const
    {
        EXPECT_EQ(cookies_, Text(kSentCookies));
        EXPECT_EQ(cookies_out_, Text(kSentCookies));
        EXPECT_TRUE(extra_headers_.view().starts_with(std::string(kExtraHeaders) + "\r\nAccept: */*\r\nReferer: "))
            << extra_headers_.view().substr(0, 200);
        EXPECT_EQ(headers_out_, Text::repeated(' ', 5000));
        EXPECT_EQ(body_bytes_, bytes_of("t"));
    }

    Text headers_out() const { return headers_out_; }

private:
    Text address_;
    const Text body_text_ = "t";
    Text cookies_ = kSentCookies;
    Text cookies_out_ = kBefore;
    Text extra_headers_ = kExtraHeaders;
    Text headers_out_ = kBefore;
    ByteBuffer body_bytes_;
};

enum class Stage { connection_refused, no_response };

struct BadAddressCase {
    std::string name;
    std::function<std::string(int port)> address; // given the test server's port
    std::function<std::string(int port)> completed;
    Stage stage;
};

void PrintTo(const BadAddressCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string case_name(const ::testing::TestParamInfo<BadAddressCase>& info)
{
    return info.param.name;
}

std::string loopback(int port)
{
    return "127.0.0.1:" + std::to_string(port);
}

std::function<std::string(int)> fixed(std::string address)
{
    return [address](int) { return address; };
}

class BadAddress : public EngineTest, public ::testing::WithParamInterface<BadAddressCase> {
protected:
    TestHttpServer server;
};

TEST_P(BadAddress, FailsCleanly)
{
    const BadAddressCase& c = GetParam();
    Arguments arguments(c.address(server.port()));
    EXPECT_TRUE(arguments.fetch().empty());
    EXPECT_EQ(arguments.address(), c.completed(server.port()));
    if (c.stage == Stage::connection_refused)
        arguments.expect_untouched();
    else
        arguments.expect_no_response();
    EXPECT_TRUE(server.requests().empty());
}

const std::string kHugePath(std::size_t{1} << 20, 'a');

INSTANTIATE_TEST_SUITE_P(Addresses, BadAddress, ::testing::Values(
    BadAddressCase{"empty", fixed(""), fixed("http://"), Stage::connection_refused},
    BadAddressCase{"capital_scheme_becomes_host_http_on_port_0",
                   [](int port) { return "HTTP://" + loopback(port) + "/x"; },
                   [](int port) { return "http://HTTP://" + loopback(port) + "/x"; }, Stage::connection_refused},
    BadAddressCase{"port_0", fixed("http://127.0.0.1:0/x"), fixed("http://127.0.0.1:0/x"), Stage::connection_refused},
    BadAddressCase{"port_65536", fixed("http://127.0.0.1:65536/x"), fixed("http://127.0.0.1:65536/x"),
                   Stage::connection_refused},
    BadAddressCase{"port_beyond_int", fixed("127.0.0.1:99999999999/x"), fixed("http://127.0.0.1:99999999999/x"),
                   Stage::connection_refused},
    BadAddressCase{"negative_port", fixed("127.0.0.1:-80/x"), fixed("http://127.0.0.1:-80/x"),
                   Stage::connection_refused},
    BadAddressCase{"port_not_a_number", fixed("127.0.0.1:http/x"), fixed("http://127.0.0.1:http/x"),
                   Stage::connection_refused},
    BadAddressCase{"only_colons", fixed("::::"), fixed("http://::::"), Stage::connection_refused},
    BadAddressCase{"scheme_without_host", fixed("https:///x"), fixed("https:///x"), Stage::connection_refused},
    BadAddressCase{"space_in_host", fixed("http://a b/x"), fixed("http://a b/x"), Stage::no_response},
    BadAddressCase{"bracketed_host", fixed("http://[::1]:80/x"), fixed("http://[::1]:80/x"), Stage::no_response},
    // The host runs up to the first "/", so the query stays on it.
    BadAddressCase{"query_right_after_host", fixed("http://127.0.0.1?x=1"), fixed("http://127.0.0.1?x=1"),
                   Stage::no_response},
    BadAddressCase{"unresolvable_host", fixed("http://nonexistent.invalid/x"), fixed("http://nonexistent.invalid/x"),
                   Stage::no_response},
    BadAddressCase{"huge_host", fixed(kHugePath), fixed("http://" + kHugePath), Stage::no_response},
    BadAddressCase{"chinese_host", fixed("http://中文.invalid/x"), fixed("http://中文.invalid/x"),
                   Stage::no_response}),
    case_name);

class BadServer : public EngineTest {
protected:
    TestHttpServer server;
};

TEST_F(BadServer, HugeAddressIsRefusedWithoutAResponse)
{
    Arguments arguments(server.url("/" + kHugePath));
    EXPECT_TRUE(arguments.fetch().empty());
    arguments.expect_no_response();
}

struct NoAnswerCase {
    std::string name;
    testing_support::ScriptedResponse response;
};

void PrintTo(const NoAnswerCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string no_answer_case_name(const ::testing::TestParamInfo<NoAnswerCase>& info)
{
    return info.param.name;
}

class ServerWithoutAnswer : public BadServer, public ::testing::WithParamInterface<NoAnswerCase> {};

TEST_P(ServerWithoutAnswer, GivesNoResponse)
{
    server.respond("/s", GetParam().response);
    Arguments arguments(server.url("/s"));
    EXPECT_TRUE(arguments.fetch().empty());
    arguments.expect_no_response();
}

INSTANTIATE_TEST_SUITE_P(Servers, ServerWithoutAnswer, ::testing::Values(
    NoAnswerCase{"text_garbage", {"this is no HTTP response\r\n\r\nat all"}},
    NoAnswerCase{"binary_garbage", {std::string("\x00\xFF\x1F\x8B garbage\r\n", 14)}},
    NoAnswerCase{"closed_at_once", {""}},
    NoAnswerCase{"reset_at_once", {"", Ending::reset}},
    NoAnswerCase{"closed_inside_the_head", {"HTTP/1.1 200 OK\r\nContent-Len"}}),
    no_answer_case_name);

TEST_F(BadServer, ConnectionResetMidBody)
{
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n";
    const std::string part(500, 'b');
    server.respond("/r", {head + part, Ending::reset});
    Arguments arguments(server.url("/r"));
    const std::string body = string_of(arguments.fetch());
    // How much arrived before the reset is up to the network; none of it is invented.
    EXPECT_TRUE(part.starts_with(body)) << body.size();
    const Text headers = arguments.headers_out();
    EXPECT_TRUE(headers == text_of(head) || headers == Text::repeated(' ', 5000)) << headers.view();
}

TEST_F(BadServer, UntrustedCertificate)
{
    TestHttpServer tls_server(TestHttpServer::Security::tls);
    platform::set_internet_diagnostics({});
    Arguments arguments(tls_server.url("/s"));
    EXPECT_TRUE(arguments.fetch().empty());
    arguments.expect_no_response();
    EXPECT_TRUE(tls_server.requests().empty());
}

} // namespace
} // namespace fernwick
