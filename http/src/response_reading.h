#pragma once

// The response side of an exchange: what web_fetch takes from the raw
// header block and the body once the handles are closed.

#include "platform/text.h"

namespace fernwick {
class Inflater;
}

namespace fernwick::response {

// The header block with every "Set-Cookie", in any letter case, spelled so.
Text with_cookie_headers_spelled(const Text& headers);

// The "name=value" entries of the block's "Set-Cookie: " lines joined by
// "; ", their attributes dropped.
Text collected_cookies(const Text& headers);

// The body decoded as its Content-Encoding header announces; the body as
// read when nothing is announced, decoding fails or no decoder is given.
ByteBuffer decoded_body(const ByteBuffer& body, const Text& headers, const Inflater* inflater);

} // namespace fernwick::response
