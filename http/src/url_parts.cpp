#include "http/text_helpers.h"

#include "platform/text_rules.h"

namespace fernwick {

namespace {

constexpr const char* kHttps = "https://";
constexpr const char* kHttp = "http://";

// The scheme text that the host of a lowercased address follows: "https://"
// when the address starts with it, else "http://" wherever it occurs; the
// empty text when the address names neither.
Text scheme_marker(const Text& lowered)
{
    if (text::left(lowered, 8) == kHttps)
        return kHttps;
    if (text::contains(lowered, kHttp))
        return kHttp;
    return {};
}

} // namespace

Text url_host(const Text& address, bool keep_port)
{
    Text lowered = text::to_lower(address);
    if (text::right(lowered, 1) != "/")
        lowered += "/";
    Text marker = scheme_marker(lowered);
    if (marker.empty()) {
        marker = kHttp;
        lowered = marker + lowered;
    }
    Text host = text_between(lowered, marker, "/");
    int colon = text::find(host, ":");
    if (keep_port || colon == -1)
        return host;
    return text::left(host, colon - 1);
}

int url_port(const Text& address)
{
    Text host = url_host(address, true);
    int colon = text::find_last(host, ":");
    if (colon != -1)
        return text::leading_int(text::mid(host, colon + 1, host.length()));
    return text::left(text::to_lower(address), 5) == "https" ? 443 : 80;
}

Text url_path(const Text& address)
{
    // The path starts at the first "/" after the scheme, which is where the
    // host ends. The search starts behind the scheme so that a host that
    // also occurs inside the scheme text ("h", "http") is not taken for
    // the one that follows it.
    Text marker = scheme_marker(text::to_lower(address));
    int host_begin = 1;
    if (!marker.empty())
        host_begin = text::find(address, marker, 1, true) + marker.length();
    int slash = text::find(address, "/", host_begin);
    if (slash == -1)
        return "/";
    return text::mid(address, slash, address.length());
}

} // namespace fernwick
