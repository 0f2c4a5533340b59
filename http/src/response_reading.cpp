#include "response_reading.h"

#include "http/text_helpers.h"
#include "inflate/inflater.h"
#include "platform/text_rules.h"

namespace fernwick::response {

Text with_cookie_headers_spelled(const Text& headers)
{
    return text::replace_all(headers, "Set-Cookie", "Set-Cookie", true);
}

Text collected_cookies(const Text& headers)
{
    Text joined;
    for (const Text& line : text::split(headers, "\r\n")) {
        if (text_before(line, ": ") != "Set-Cookie")
            continue;
        // Attributes follow the first ";" of the value.
        Text entry = text::contains(line, ";") ? text_between(line, "Set-Cookie:", ";")
                                               : text::replace_all(line, "Set-Cookie:", "", true);
        joined += text::trim(entry) + "; ";
    }
    return text::left(joined, joined.length() - 2);
}

ByteBuffer decoded_body(const ByteBuffer& body, const Text& headers, const Inflater* inflater)
{
    if (inflater == nullptr)
        return body;
    ByteBuffer decoded;
    if (text::contains(headers, "Content-Encoding: gzip"))
        decoded = inflater->decode_gzip(body);
    // A block that announces both encodings keeps only the deflate result.
    if (text::contains(headers, "Content-Encoding: deflate"))
        decoded = inflater->decode_deflate(body);
    return decoded.empty() ? body : decoded;
}

} // namespace fernwick::response
