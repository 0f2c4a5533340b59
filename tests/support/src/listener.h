#pragma once

// A listening socket on 127.0.0.1 with a port of the system's choosing that
// serves each accepted connection on a thread of its own until it stops.

#include <openssl/ssl.h>

#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "connection.h"

namespace fernwick::testing_support {

class Listener {
public:
    // `number` counts accepted connections from 1; `stop` ends the waits of
    // any further socket the serving code opens.
    using Serve = std::function<void(Connection& connection, int number, const StopSignal& stop)>;

    // With `tls` the connections speak TLS with the test server certificate.
    Listener(bool tls, Serve serve);
    // Stops accepting, ends every connection's waits and joins the threads.
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    int port() const { return port_; }
    int connection_count() const;

private:
    void accept_loop();

    Serve serve_;
    std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> tls_{nullptr, SSL_CTX_free};
    StopSignal stop_;
    int socket_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    int accepted_ = 0;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

} // namespace fernwick::testing_support
