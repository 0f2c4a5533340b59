#pragma once

// The sockets of the test servers: non-blocking underneath, plain or TLS, and
// every wait on them also ends when the server stops.

#include <openssl/ssl.h>

#include <cstddef>
#include <string_view>

namespace fernwick::testing_support {

// Raised once when a server stops; wakes every wait of its connections.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void raise();
    int fd() const { return read_end_; } // readable once raised

private:
    int read_end_ = -1;
    int write_end_ = -1;
};

class Connection {
public:
    // Takes ownership of `fd`; `tls` (may be null) makes it the server side of a TLS connection.
    Connection(int fd, SSL_CTX* tls, const StopSignal& stop);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The TLS handshake; true at once for a plain connection.
    bool handshake();
    // Some bytes, or 0 when the peer closed, on an error, or when the server stops.
    std::size_t read_some(char* buffer, std::size_t capacity);
    bool write_all(std::string_view bytes);
    // Discards whatever arrives until the peer closes or the server stops.
    void drain();
    // Makes the close abortive: the peer sees a reset instead of an orderly end.
    void reset_on_close() { reset_ = true; }

private:
    // Waits until the socket is ready for `events`; false when the server stops.
    bool wait(short events) const;
    // Waits as an OpenSSL call asks after `result`; false when the call failed for good.
    bool wait_for_tls(int result) const;

    int fd_;
    bool tls_;
    SSL* ssl_ = nullptr;
    const StopSignal& stop_;
    bool reset_ = false;
};

} // namespace fernwick::testing_support
