#pragma once

// The plain URL reader: the whole body of one GET, for pictures such as the avatar.

#include "platform/text.h"

namespace fernwick::platform {

// The body of a GET of `address` (an http or https address), following up to
// 20 redirects (to http and https only, never from https to http), with the
// certificate checks and diagnostics of inet.h. Empty when the address is
// empty or not http/https, the request fails, the final status is not 2xx
// (an error page is not the picture asked for), or the body exceeds 64 MiB.
ByteBuffer read_url(const Text& address);

} // namespace fernwick::platform
