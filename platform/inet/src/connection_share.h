#pragma once

// The cache of connections, DNS answers and TLS sessions that transfers
// share, so that the requests of one thread to one host reuse one connection.

#include <curl/curl.h>

namespace fernwick::platform {

// The share of the calling thread, created on its first use and released
// when the thread ends. libcurl reuses a cached connection only for a
// request with matching settings (host and port, connect-to rule, proxy,
// trusted certificates). Each thread has its own because libcurl does not
// support one connection cache used by concurrent threads (a known bug of
// its share interface); every transfer runs on one thread from start to end.
CURLSH* connection_share();

} // namespace fernwick::platform
