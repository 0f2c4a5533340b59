#pragma once

// A plain-HTTP forward proxy for tests on 127.0.0.1: it records each request
// byte-exact as the client sent it to the proxy, passes it on to the origin
// named in its absolute address (loopback origins only) and relays the reply.

#include <memory>
#include <vector>

#include "test_support/http_server.h"

namespace fernwick::testing_support {

class TestForwardProxy {
public:
    TestForwardProxy();
    ~TestForwardProxy();
    TestForwardProxy(const TestForwardProxy&) = delete;
    TestForwardProxy& operator=(const TestForwardProxy&) = delete;

    int port() const;
    std::vector<RecordedRequest> requests() const;

private:
    struct Log;
    std::shared_ptr<Log> log_;
    std::unique_ptr<Listener> listener_;
};

} // namespace fernwick::testing_support
