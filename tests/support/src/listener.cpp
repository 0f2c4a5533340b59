#include "listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

#include "test_support/tls_fixtures.h"

namespace fernwick::testing_support {

namespace {

SSL_CTX* server_tls_context()
{
    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    if (context == nullptr || SSL_CTX_use_certificate_chain_file(context, test_server_certificate_file().c_str()) != 1 ||
        SSL_CTX_use_PrivateKey_file(context, test_server_key_file().c_str(), SSL_FILETYPE_PEM) != 1) {
        SSL_CTX_free(context);
        throw std::runtime_error("cannot load the test server certificate");
    }
    return context;
}

} // namespace

Listener::Listener(bool tls, Serve serve) : serve_(std::move(serve))
{
    // A client that leaves early must not end the test process when a TLS write hits its closed socket.
    std::signal(SIGPIPE, SIG_IGN);
    if (tls)
        tls_.reset(server_tls_context());

    socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket_ < 0 || bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(socket_, 64) != 0 || getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (socket_ >= 0)
            close(socket_);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { accept_loop(); });
}

Listener::~Listener()
{
    stop_.raise();
    acceptor_.join();
    for (std::thread& connection : connections_)
        connection.join();
    close(socket_);
}

int Listener::connection_count() const
{
    const std::lock_guard lock(mutex_);
    return accepted_;
}

void Listener::accept_loop()
{
    pollfd watched[2] = {{socket_, POLLIN, 0}, {stop_.fd(), POLLIN, 0}};
    for (;;) {
        if (poll(watched, 2, -1) < 0)
            continue;
        if (watched[1].revents != 0)
            return;
        const int fd = accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        const std::lock_guard lock(mutex_);
        const int number = ++accepted_;
        connections_.emplace_back([this, fd, number] {
            Connection connection(fd, tls_.get(), stop_);
            if (connection.handshake())
                serve_(connection, number, stop_);
        });
    }
}

} // namespace fernwick::testing_support
