#pragma once

// One complete exchange through the seven internet operations, the way the
// request engine makes it, for the tests of the internet layer.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/inet.h"
#include "test_support/scoped_diagnostics.h"

namespace fernwick::platform::testing {

struct CloseHandle {
    void operator()(InternetObject* handle) const { InternetCloseHandle(handle); }
};
using Handle = std::unique_ptr<InternetObject, CloseHandle>;

struct Exchange {
    std::string host = "127.0.0.1";
    int port = 0;
    std::string path = "/";
    std::string method = "GET";
    std::string headers; // the header block, lines separated by CR LF
    std::string body;
    std::uint32_t flags = INTERNET_FLAG_RELOAD;
    std::string agent = "FernwickTest/1.0";
    std::uint32_t access = INTERNET_OPEN_TYPE_DIRECT;
    std::string proxy;
    std::uint32_t read_size = 1024;
};

struct Outcome {
    bool connected = false; // all three handles were obtained
    bool sent = false;
    std::string body;
    std::vector<std::uint32_t> read_sizes; // of the reads that gave bytes
    bool last_read_failed = false;         // the read that gave 0 reported a failure
    bool head_queried = false;
    std::string head; // the raw header block, when the query succeeded
};

// The three handles of the request, the first one missing being null.
struct OpenedRequest {
    Handle internet;
    Handle connection;
    Handle request;
};
OpenedRequest open_request(const Exchange& request);

Outcome exchange(const Exchange& request);

// The test name of a case that carries its own name.
template <class Case>
std::string case_name(const ::testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

// The diagnostics of one test (see test_support/scoped_diagnostics.h).
using testing_support::ScopedDiagnostics;

} // namespace fernwick::platform::testing
