#pragma once

// One complete HTTP or HTTPS exchange with the program's request policy: a
// bare address is completed, default headers and a user agent are added,
// the cookies a response sets are collected (and merged with the cookies
// sent), and gzip and deflate bodies are decoded.

#include "platform/text.h"

namespace fernwick {

class Inflater;

// The nine optional arguments, in order; a null pointer means "not supplied".
struct FetchOptions {
    int method = 0;                       // 0 GET, 1 POST, 2 HEAD, 3 PUT, 4 DELETE, 5 OPTIONS, 6 TRACE, 7 CONNECT
    const Text* body_text = nullptr;      // the request body as text
    Text* cookies = nullptr;              // in/out; supplying it (even empty) matters
    Text* cookies_out = nullptr;          // out: the cookies the response set
    Text* extra_headers = nullptr;        // in/out: extra header lines; on return the block as sent
    Text* headers_out = nullptr;          // out: the raw response header block
    bool no_redirect = false;
    ByteBuffer* body_bytes = nullptr;     // in/out: the request body as bytes, preferred over body_text
    const Text* proxy = nullptr;          // "HOST:PORT"; empty means a direct connection
};

// Performs the exchange and returns the response body, decoded when it was
// announced as gzip or deflate; the empty buffer when no connection could be
// set up. `address` is rewritten with the completed address.
ByteBuffer web_fetch(Text& address, const FetchOptions& options = {});

// The same exchange with every argument supplied (so the cookies are always
// merged), the UTF-8 body converted into a code-page-936 text.
Text web_fetch_text(Text& address, const FetchOptions& options = {});

// The program-wide decoder that web_fetch uses; set once at start-up by its
// owner (null: no decoding).
void use_inflater(const Inflater* inflater);

} // namespace fernwick
