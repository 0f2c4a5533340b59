#pragma once

// The process-wide cache of connections, DNS answers and TLS sessions that
// transfers share, so requests to one host reuse one connection.

#include <curl/curl.h>

namespace fernwick::platform {

// The share every transfer joins while connection reuse is on; created on
// first use, safe to use from any thread, kept until the process ends.
// libcurl reuses a cached connection only for a request with matching
// settings (host and port, connect-to rule, proxy, trusted certificates).
CURLSH* connection_share();

} // namespace fernwick::platform
