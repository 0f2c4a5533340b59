// The scripted servers seen from a raw socket client: what they record and what they send.

#include "test_support/http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "test_support/forward_proxy.h"

namespace fernwick::testing_support {
namespace {

// Sends `request` on a fresh connection and returns everything received until the server closes.
std::string converse(int port, const std::string& request)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    std::string reply;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size())) {
        char buffer[4096];
        ssize_t count;
        while ((count = recv(fd, buffer, sizeof buffer, 0)) > 0)
            reply.append(buffer, static_cast<std::size_t>(count));
    }
    close(fd);
    return reply;
}

TEST(TestHttpServer, RecordsRequestsExactlyAsTheyArrived)
{
    TestHttpServer server;
    server.respond("/a", {http_response("HTTP/1.1 200 OK", {"set-cookie:x=1"}, "hi")});
    const std::string reply = converse(
        server.port(), "POST /a?q=1 HTTP/1.1\r\nhost:h\r\nX-Space:  two \r\ncontent-length: 4\r\n\r\nbody");
    EXPECT_EQ(reply, "HTTP/1.1 200 OK\r\nset-cookie:x=1\r\nContent-Length: 2\r\n\r\nhi");
    const std::vector<RecordedRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].request_line, "POST /a?q=1 HTTP/1.1");
    EXPECT_EQ(requests[0].header_lines, (std::vector<std::string>{"host:h", "X-Space:  two ", "content-length: 4"}));
    EXPECT_EQ(requests[0].body, "body");
    EXPECT_EQ(requests[0].method(), "POST");
    EXPECT_EQ(requests[0].target(), "/a?q=1");
    EXPECT_EQ(requests[0].path(), "/a");
    EXPECT_EQ(requests[0].header("X-SPACE"), "two ");
    EXPECT_FALSE(requests[0].header("Cookie"));
}

TEST(TestHttpServer, AnswersUnknownPathsWith404)
{
    TestHttpServer server;
    EXPECT_EQ(converse(server.port(), "GET /nowhere HTTP/1.1\r\n\r\n"),
              "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
}

TEST(TestHttpServer, KeepsAConnectionForTheNextRequestWhenTold)
{
    TestHttpServer server;
    server.respond("/first", {"HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n1", Ending::keep_alive});
    server.respond("/second", {"HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n2"});
    const std::string reply = converse(server.port(), "GET /first HTTP/1.1\r\n\r\nGET /second HTTP/1.1\r\n\r\n");
    EXPECT_EQ(reply, "HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n1HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n2");
    const std::vector<RecordedRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].connection, 1);
    EXPECT_EQ(requests[1].connection, 1);
    EXPECT_EQ(server.connection_count(), 1);
}

TEST(TestHttpServer, StopsWhileAConnectionIsHeldOpen)
{
    auto server = std::make_unique<TestHttpServer>();
    server->respond("/hold", {"HTTP/1.1 200 OK\r\n", Ending::hold_open});
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(server->port()));
    ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string request = "GET /hold HTTP/1.1\r\n\r\n";
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    char buffer[64];
    EXPECT_GT(recv(fd, buffer, sizeof buffer, 0), 0);
    server.reset(); // must return although the client never leaves
    EXPECT_EQ(recv(fd, buffer, sizeof buffer, 0), 0);
    close(fd);
}

TEST(TestForwardProxy, PassesTheRequestOnInOriginForm)
{
    TestHttpServer origin;
    origin.respond("/page", {http_response("HTTP/1.1 200 OK", {}, "page")});
    TestForwardProxy proxy;
    const std::string reply = converse(proxy.port(), "GET " + origin.url("/page?x") +
                                                         " HTTP/1.1\r\nHost: o\r\nProxy-Connection: Keep-Alive\r\n\r\n");
    EXPECT_EQ(reply, "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\npage");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].header("Proxy-Connection"), "Keep-Alive");
    ASSERT_EQ(origin.requests().size(), 1u);
    EXPECT_EQ(origin.requests()[0].request_line, "GET /page?x HTTP/1.1");
    EXPECT_EQ(origin.requests()[0].header_lines, std::vector<std::string>{"Host: o"});
}

TEST(TestForwardProxy, RefusesOriginsOffThisMachine)
{
    TestForwardProxy proxy;
    EXPECT_EQ(converse(proxy.port(), "GET http://example.test/ HTTP/1.1\r\n\r\n"),
              "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n");
}

} // namespace
} // namespace fernwick::testing_support
