#include "test_support/forward_proxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <mutex>

#include "listener.h"
#include "request_reader.h"

namespace fernwick::testing_support {

namespace {

const std::string kBadGateway = "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n";

// The port of an absolute plain-HTTP address on the loopback host; 0 for any other target.
int loopback_port(const std::string& target)
{
    for (const char* prefix : {"http://127.0.0.1:", "http://localhost:"}) {
        const std::string_view start(prefix);
        if (target.compare(0, start.size(), start) != 0)
            continue;
        int port = 0;
        for (std::size_t i = start.size(); i < target.size() && target[i] >= '0' && target[i] <= '9'; ++i)
            port = port * 10 + (target[i] - '0');
        return port > 0 && port < 65536 ? port : 0;
    }
    return 0;
}

int dial_loopback(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0)
        close(fd);
    return -1;
}

// The request in the form an origin server expects: its path as target, without the proxy's own headers.
std::string origin_request(const RecordedRequest& request)
{
    RecordedRequest onward = request;
    const std::string target = request.target();
    const std::size_t path_start = target.find('/', target.find("://") + 3);
    onward.request_line = request.method() + " " + (path_start == std::string::npos ? "/" : target.substr(path_start)) +
                          request.request_line.substr(request.request_line.rfind(' '));
    std::erase_if(onward.header_lines, [](const std::string& line) {
        return line.compare(0, 17, "Proxy-Connection:") == 0 || line.compare(0, 20, "Proxy-Authorization:") == 0;
    });
    return request_bytes(onward);
}

} // namespace

struct TestForwardProxy::Log {
    mutable std::mutex mutex;
    std::vector<RecordedRequest> requests;
};

TestForwardProxy::TestForwardProxy() : log_(std::make_shared<Log>())
{
    listener_ = std::make_unique<Listener>(
        false, [log = log_](Connection& client, int number, const StopSignal& stop) {
            std::string pending;
            std::optional<RecordedRequest> request = read_request(client, pending);
            if (!request)
                return;
            request->connection = number;
            {
                const std::lock_guard lock(log->mutex);
                log->requests.push_back(*request);
            }
            const int port = loopback_port(request->target());
            const int fd = port == 0 ? -1 : dial_loopback(port);
            if (fd < 0) {
                client.write_all(kBadGateway);
                return;
            }
            Connection origin(fd, nullptr, stop);
            if (!origin.write_all(origin_request(*request)))
                return;
            char buffer[16384];
            while (const std::size_t count = origin.read_some(buffer, sizeof buffer)) {
                if (!client.write_all(std::string_view(buffer, count)))
                    return;
            }
        });
}

TestForwardProxy::~TestForwardProxy() = default;

int TestForwardProxy::port() const
{
    return listener_->port();
}

std::vector<RecordedRequest> TestForwardProxy::requests() const
{
    const std::lock_guard lock(log_->mutex);
    return log_->requests;
}

} // namespace fernwick::testing_support
