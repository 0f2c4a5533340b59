#include "connection.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace fernwick::testing_support {

StopSignal::StopSignal()
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe2 failed");
    read_end_ = ends[0];
    write_end_ = ends[1];
}

StopSignal::~StopSignal()
{
    close(read_end_);
    close(write_end_);
}

void StopSignal::raise()
{
    const char byte = 1;
    while (write(write_end_, &byte, 1) < 0 && errno == EINTR) {
    }
}

Connection::Connection(int fd, SSL_CTX* tls, const StopSignal& stop) : fd_(fd), tls_(tls != nullptr), stop_(stop)
{
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
    if (tls_) {
        ssl_ = SSL_new(tls);
        if (ssl_ != nullptr)
            SSL_set_fd(ssl_, fd_);
    }
}

Connection::~Connection()
{
    if (reset_) {
        const linger abortive{1, 0};
        setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    } else if (ssl_ != nullptr && SSL_is_init_finished(ssl_)) {
        SSL_shutdown(ssl_); // sends the close notification; the answer is not awaited
    }
    SSL_free(ssl_);
    close(fd_);
}

bool Connection::handshake()
{
    if (!tls_)
        return true;
    if (ssl_ == nullptr)
        return false;
    for (;;) {
        const int result = SSL_accept(ssl_);
        if (result == 1)
            return true;
        if (!wait_for_tls(result))
            return false;
    }
}

std::size_t Connection::read_some(char* buffer, std::size_t capacity)
{
    for (;;) {
        if (ssl_ != nullptr) {
            std::size_t count = 0;
            const int result = SSL_read_ex(ssl_, buffer, capacity, &count);
            if (result == 1)
                return count;
            if (!wait_for_tls(result))
                return 0;
            continue;
        }
        const ssize_t count = recv(fd_, buffer, capacity, 0);
        if (count >= 0)
            return static_cast<std::size_t>(count);
        if (errno == EINTR)
            continue;
        if ((errno != EAGAIN && errno != EWOULDBLOCK) || !wait(POLLIN))
            return 0;
    }
}

bool Connection::write_all(std::string_view bytes)
{
    while (!bytes.empty()) {
        if (ssl_ != nullptr) {
            std::size_t count = 0;
            const int result = SSL_write_ex(ssl_, bytes.data(), bytes.size(), &count);
            if (result == 1)
                bytes.remove_prefix(count);
            else if (!wait_for_tls(result))
                return false;
            continue;
        }
        const ssize_t count = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (count >= 0)
            bytes.remove_prefix(static_cast<std::size_t>(count));
        else if (errno != EINTR && ((errno != EAGAIN && errno != EWOULDBLOCK) || !wait(POLLOUT)))
            return false;
    }
    return true;
}

void Connection::drain()
{
    char buffer[4096];
    while (read_some(buffer, sizeof buffer) > 0) {
    }
}

bool Connection::wait(short events) const
{
    pollfd watched[2] = {{fd_, events, 0}, {stop_.fd(), POLLIN, 0}};
    for (;;) {
        if (poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (watched[1].revents != 0)
            return false;
        if (watched[0].revents != 0)
            return true;
    }
}

bool Connection::wait_for_tls(int result) const
{
    switch (SSL_get_error(ssl_, result)) {
    case SSL_ERROR_WANT_READ:
        return wait(POLLIN);
    case SSL_ERROR_WANT_WRITE:
        return wait(POLLOUT);
    default:
        return false;
    }
}

} // namespace fernwick::testing_support
