// Handles as owned objects, the abort switch, and requests from several threads at once.

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <thread>
#include <vector>

#include "exchange.h"
#include "test_support/http_server.h"

namespace fernwick::platform {
namespace {

using testing::Exchange;
using testing::Handle;
using testing_support::Ending;
using testing_support::http_response;
using testing_support::TestHttpServer;

class Handles : public ::testing::Test {
protected:
    Handles() { server.respond("/", {http_response("HTTP/1.1 200 OK", {}, "body")}); }

    InternetHandle open_session() { return InternetOpenA("FernwickTest/1.0", INTERNET_OPEN_TYPE_DIRECT, "", "", 0); }
    InternetHandle connect(InternetHandle session)
    {
        return InternetConnectA(session, "127.0.0.1", server.port(), "", "", INTERNET_SERVICE_HTTP, 0, 0);
    }
    InternetHandle open_request(InternetHandle connection, const Text& method = "GET", const Text& version = "HTTP/1.1")
    {
        return HttpOpenRequestA(connection, method, "/", version, "", nullptr, INTERNET_FLAG_RELOAD, 0);
    }

    TestHttpServer server;
};

TEST_F(Handles, ARequestOutlivesItsParents)
{
    InternetHandle session = open_session();
    InternetHandle connection = connect(session);
    const Handle request(open_request(connection));
    ASSERT_NE(request, nullptr);
    EXPECT_TRUE(InternetCloseHandle(session));
    EXPECT_TRUE(InternetCloseHandle(connection));
    ASSERT_TRUE(HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0));
    char buffer[16];
    std::uint32_t count = 0;
    ASSERT_TRUE(InternetReadFile(request.get(), buffer, sizeof buffer, &count));
    EXPECT_EQ(std::string(buffer, count), "body");
}

TEST_F(Handles, ClosingNothingOrTwiceDoesNothing)
{
    EXPECT_FALSE(InternetCloseHandle(nullptr));
    InternetHandle session = open_session();
    EXPECT_TRUE(InternetCloseHandle(session));
    EXPECT_FALSE(InternetCloseHandle(session));
    EXPECT_EQ(connect(session), nullptr);
}

TEST_F(Handles, OfTheWrongKindAreRefused)
{
    const Handle session(open_session());
    const Handle connection(connect(session.get()));
    const Handle request(open_request(connection.get()));
    EXPECT_EQ(connect(connection.get()), nullptr);
    EXPECT_EQ(connect(request.get()), nullptr);
    EXPECT_EQ(open_request(session.get()), nullptr);
    EXPECT_EQ(open_request(request.get()), nullptr);
    EXPECT_FALSE(HttpSendRequestA(connection.get(), nullptr, 0, nullptr, 0));
    char buffer[16];
    std::uint32_t count = 7;
    EXPECT_FALSE(InternetReadFile(session.get(), buffer, sizeof buffer, &count));
    EXPECT_EQ(count, 0u);
    std::uint32_t length = sizeof buffer;
    EXPECT_FALSE(HttpQueryInfoA(connection.get(), HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr));
}

TEST_F(Handles, AreNotMadeForWhatTheLayerCannotDo)
{
    const Handle session(open_session());
    EXPECT_EQ(InternetConnectA(session.get(), "127.0.0.1", 80, "user", "", INTERNET_SERVICE_HTTP, 0, 0), nullptr);
    EXPECT_EQ(InternetConnectA(session.get(), "127.0.0.1", 80, "", "secret", INTERNET_SERVICE_HTTP, 0, 0), nullptr);
    EXPECT_EQ(InternetConnectA(session.get(), "127.0.0.1", 21, "", "", 1, 0, 0), nullptr);
    const Handle connection(connect(session.get()));
    EXPECT_EQ(open_request(connection.get(), "GE T"), nullptr);
    EXPECT_EQ(open_request(connection.get(), "GET\r\nX: 1"), nullptr);
    EXPECT_EQ(open_request(connection.get(), "GET", "HTTP/2"), nullptr);
    const char* const accept_types[] = {"text/html", nullptr};
    EXPECT_EQ(HttpOpenRequestA(connection.get(), "GET", "/", "HTTP/1.1", "", accept_types, 0, 0), nullptr);
}

TEST_F(Handles, AnEmptyMethodAndVersionMeanGetOverHttp11)
{
    const Handle session(open_session());
    const Handle connection(connect(session.get()));
    const Handle request(open_request(connection.get(), "", ""));
    ASSERT_TRUE(HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0));
    EXPECT_EQ(server.requests().at(0).request_line, "GET / HTTP/1.1");
}

TEST_F(Handles, ReadsBeforeASendOrWithoutACountFail)
{
    const Handle session(open_session());
    const Handle connection(connect(session.get()));
    const Handle request(open_request(connection.get()));
    char buffer[16];
    std::uint32_t count = 7;
    EXPECT_FALSE(InternetReadFile(request.get(), buffer, sizeof buffer, &count));
    EXPECT_EQ(count, 0u);
    ASSERT_TRUE(HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0));
    EXPECT_FALSE(InternetReadFile(request.get(), buffer, sizeof buffer, nullptr));
    EXPECT_FALSE(InternetReadFile(request.get(), nullptr, sizeof buffer, &count));
    EXPECT_FALSE(HttpSendRequestA(request.get(), nullptr, 0, nullptr, 5));
}

TEST_F(Handles, ARequestCanBeSentAgain)
{
    const Handle session(open_session());
    const Handle connection(connect(session.get()));
    const Handle request(open_request(connection.get()));
    ASSERT_TRUE(HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0));
    ASSERT_TRUE(HttpSendRequestA(request.get(), "X-Second: 1", 11, nullptr, 0));
    char buffer[16];
    std::uint32_t count = 0;
    ASSERT_TRUE(InternetReadFile(request.get(), buffer, sizeof buffer, &count));
    EXPECT_EQ(std::string(buffer, count), "body");
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[1].header("X-Second"), "1");
}

TEST(AbortSwitch, StopsATransferInProgressAndLaterSends)
{
    // Without the switch nothing would end this transfer for an hour.
    InternetDiagnostics diagnostics;
    diagnostics.stall_timeout_seconds = 3600;
    const testing::ScopedDiagnostics scoped(diagnostics);
    TestHttpServer server;
    server.respond("/endless", {"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\nfirst", Ending::hold_open});
    server.respond("/", {http_response("HTTP/1.1 200 OK", {}, "body")});

    std::promise<void> first_bytes_read;
    std::future<bool> last_read_failed = std::async(std::launch::async, [&] {
        Exchange endless;
        endless.port = server.port();
        endless.path = "/endless";
        const testing::OpenedRequest opened = testing::open_request(endless);
        const Handle& request = opened.request;
        HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0);
        char buffer[1024];
        std::uint32_t count = 0;
        InternetReadFile(request.get(), buffer, sizeof buffer, &count);
        first_bytes_read.set_value();
        bool ok = true;
        while ((ok = InternetReadFile(request.get(), buffer, sizeof buffer, &count)) && count > 0) {
        }
        return !ok;
    });
    first_bytes_read.get_future().wait();
    abort_all_transfers();
    EXPECT_TRUE(last_read_failed.get());

    Exchange request;
    request.port = server.port();
    EXPECT_FALSE(testing::exchange(request).sent);
    allow_transfers();
    EXPECT_EQ(testing::exchange(request).body, "body");
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST(Threads, EachWithItsOwnHandlesGetTheirOwnBodies)
{
    TestHttpServer server;
    constexpr int kThreads = 4;
    constexpr int kRequestsEach = 5;
    for (int i = 0; i < kThreads * kRequestsEach; ++i)
        server.respond("/" + std::to_string(i), {http_response("HTTP/1.1 200 OK", {}, std::string(3000 + i, 'a' + i % 26))});
    std::vector<std::future<int>> mismatches;
    for (int t = 0; t < kThreads; ++t) {
        mismatches.push_back(std::async(std::launch::async, [&server, t] {
            int wrong = 0;
            for (int r = 0; r < kRequestsEach; ++r) {
                const int i = t * kRequestsEach + r;
                Exchange request;
                request.port = server.port();
                request.path = "/" + std::to_string(i);
                wrong += testing::exchange(request).body != std::string(3000 + i, 'a' + i % 26);
            }
            return wrong;
        }));
    }
    for (std::future<int>& wrong : mismatches)
        EXPECT_EQ(wrong.get(), 0);
}

} // namespace
} // namespace fernwick::platform
