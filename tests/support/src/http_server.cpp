#include "test_support/http_server.h"

#include <map>
#include <mutex>

#include "listener.h"
#include "request_reader.h"

namespace fernwick::testing_support {

namespace {

const ScriptedResponse kNotFound{"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n", Ending::close};

} // namespace

// The responses by path and the requests seen, shared with the connection threads.
struct TestHttpServer::Script {
    mutable std::mutex mutex;
    std::map<std::string, ScriptedResponse> responses;
    std::vector<RecordedRequest> requests;

    ScriptedResponse record(RecordedRequest request)
    {
        const std::lock_guard lock(mutex);
        const auto found = responses.find(request.path());
        requests.push_back(std::move(request));
        return found == responses.end() ? kNotFound : found->second;
    }
};

std::string http_response(std::string_view status_line, const std::vector<std::string>& header_lines,
                          std::string_view body)
{
    std::string bytes(status_line);
    bytes += "\r\n";
    for (const std::string& line : header_lines)
        bytes += line + "\r\n";
    bytes += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    bytes += body;
    return bytes;
}

TestHttpServer::TestHttpServer(Security security) : script_(std::make_shared<Script>()), security_(security)
{
    listener_ = std::make_unique<Listener>(
        security == Security::tls, [script = script_](Connection& connection, int number, const StopSignal&) {
            std::string pending;
            while (std::optional<RecordedRequest> request = read_request(connection, pending)) {
                request->connection = number;
                const ScriptedResponse response = script->record(std::move(*request));
                if (!connection.write_all(response.bytes))
                    return;
                switch (response.ending) {
                case Ending::keep_alive:
                    continue;
                case Ending::close:
                    return;
                case Ending::hold_open:
                    connection.drain();
                    return;
                case Ending::reset:
                    connection.reset_on_close();
                    return;
                }
            }
        });
}

TestHttpServer::~TestHttpServer() = default;

int TestHttpServer::port() const
{
    return listener_->port();
}

std::string TestHttpServer::url(std::string_view path) const
{
    return (security_ == Security::tls ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(port()) +
           std::string(path);
}

void TestHttpServer::respond(const std::string& path, ScriptedResponse response)
{
    const std::lock_guard lock(script_->mutex);
    script_->responses[path] = std::move(response);
}

std::vector<RecordedRequest> TestHttpServer::requests() const
{
    const std::lock_guard lock(script_->mutex);
    return script_->requests;
}

int TestHttpServer::connection_count() const
{
    return listener_->connection_count();
}

} // namespace fernwick::testing_support
