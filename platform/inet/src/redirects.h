#pragma once

// Which redirects a request follows, and where to.

#include <optional>
#include <string>

namespace fernwick::platform {

constexpr int kMaxRedirects = 20;

struct RedirectRules {
    bool follow = true;
    bool allow_http_to_https = true;
};

struct RedirectTarget {
    std::string url;
    bool same_origin; // same scheme, host and port as the redirected address
};

// Where a response with `status` and `location` sends a request for `url`
// next, or nothing when the rules do not follow it: only 301, 302, 303, 307
// and 308, only to http and https, never from https to plain http, and from
// plain http to https only when the rules allow it.
std::optional<RedirectTarget> redirect_target(const std::string& url, int status, const std::string& location,
                                              const RedirectRules& rules);

// The method a redirected request goes on with: 303 turns every method but
// HEAD into GET, 301 and 302 turn POST into GET, as browsers do.
std::string method_after_redirect(const std::string& method, int status);

} // namespace fernwick::platform
