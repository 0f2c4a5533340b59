#include "http/response_text.h"
#include "http/web_fetch.h"

namespace fernwick {

namespace {

template <class T>
T* supplied(T* given, T& local)
{
    return given ? given : &local;
}

} // namespace

Text web_fetch_text(Text& address, const FetchOptions& options)
{
    // Every argument is handed on as supplied, whether or not the caller
    // gave it: the cookies are therefore always merged, on an empty text
    // when the caller sent none.
    const Text body_text;
    Text cookies;
    Text cookies_out;
    Text extra_headers;
    Text headers_out;
    ByteBuffer body_bytes;
    const Text proxy;
    const FetchOptions every_argument{
        .method = options.method,
        .body_text = supplied(options.body_text, body_text),
        .cookies = supplied(options.cookies, cookies),
        .cookies_out = supplied(options.cookies_out, cookies_out),
        .extra_headers = supplied(options.extra_headers, extra_headers),
        .headers_out = supplied(options.headers_out, headers_out),
        .no_redirect = options.no_redirect,
        .body_bytes = supplied(options.body_bytes, body_bytes),
        .proxy = supplied(options.proxy, proxy),
    };
    return utf8_to_ansi(web_fetch(address, every_argument));
}

} // namespace fernwick
