#pragma once

// Scripted HTTP and HTTPS servers for tests, on 127.0.0.1 with a port of the
// system's choosing. Each records every request byte-exact and answers from a
// table of raw responses chosen by the request's path, so a test can serve
// anything from a well-formed reply to garbage.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fernwick::testing_support {

// One request exactly as it arrived (request bodies are read by Content-Length).
struct RecordedRequest {
    std::string request_line;              // without its CR LF
    std::vector<std::string> header_lines; // in arrival order, each without its CR LF
    std::string body;
    int connection = 0; // which accepted connection carried it, counted from 1

    std::string method() const;
    std::string target() const; // as in the request line: a path, or an absolute address through a proxy
    std::string path() const;   // the target's path, without query or scheme and host
    // The value of the first header with this name (ASCII case ignored), without the spaces after the colon.
    std::optional<std::string> header(std::string_view name) const;
};

// How the server goes on after sending a response's bytes.
enum class Ending {
    close,      // closes the connection
    keep_alive, // reads the next request on the same connection
    hold_open,  // sends nothing more and keeps the connection until the client leaves or the server stops
    reset,      // closes abortively, so the client sees a reset connection
};

struct ScriptedResponse {
    std::string bytes; // sent as written: status line, header lines, blank line, body
    Ending ending = Ending::close;
};

// A response with the given status line and header lines, a Content-Length
// for `body` and the body, each line ended by CR LF.
std::string http_response(std::string_view status_line, const std::vector<std::string>& header_lines,
                          std::string_view body);

class Listener;

class TestHttpServer {
public:
    enum class Security { plain, tls };
    // Listens at once; stops when destroyed. TLS uses the test server certificate (test_ca_file()).
    explicit TestHttpServer(Security security = Security::plain);
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    int port() const;
    // "http://127.0.0.1:PORT" or "https://127.0.0.1:PORT" followed by `path`.
    std::string url(std::string_view path) const;

    // Answers requests for `path` (the target without its query) with `response`
    // from now on. Paths without a response get a bodiless 404.
    void respond(const std::string& path, ScriptedResponse response);
    std::vector<RecordedRequest> requests() const;
    int connection_count() const;

private:
    struct Script;
    std::shared_ptr<Script> script_;
    std::unique_ptr<Listener> listener_;
    Security security_;
};

} // namespace fernwick::testing_support
