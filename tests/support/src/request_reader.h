#pragma once

#include <optional>
#include <string>

#include "connection.h"
#include "test_support/http_server.h"

namespace fernwick::testing_support {

// Reads the next request off the connection: the head up to its blank line,
// then as many body bytes as its Content-Length names. Bytes read past the
// request stay in `pending` for the next one. Nothing when the connection ends first.
std::optional<RecordedRequest> read_request(Connection& connection, std::string& pending);

// The request as it travelled: request line, header lines, blank line, body.
std::string request_bytes(const RecordedRequest& request);

} // namespace fernwick::testing_support
