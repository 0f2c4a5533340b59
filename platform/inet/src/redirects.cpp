#include "redirects.h"

#include <curl/curl.h>

#include "curl_handles.h"

namespace fernwick::platform {

namespace {

std::string url_part(CURLU* url, CURLUPart part, unsigned int flags = 0)
{
    char* value = nullptr;
    if (curl_url_get(url, part, &value, flags) != CURLUE_OK)
        return {};
    std::string copy(value);
    curl_free(value);
    return copy;
}

std::string origin_of(CURLU* url)
{
    return url_part(url, CURLUPART_SCHEME) + "://" + url_part(url, CURLUPART_HOST) + ":" +
           url_part(url, CURLUPART_PORT, CURLU_DEFAULT_PORT);
}

bool is_redirect_status(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

std::optional<RedirectTarget> redirect_target(const std::string& url, int status, const std::string& location,
                                              const RedirectRules& rules)
{
    if (!rules.follow || !is_redirect_status(status) || location.empty())
        return std::nullopt;
    ensure_curl_started();
    const UrlHandle resolved(curl_url());
    if (!resolved || curl_url_set(resolved.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return std::nullopt;
    const std::string from_scheme = url_part(resolved.get(), CURLUPART_SCHEME);
    const std::string from_origin = origin_of(resolved.get());
    // Relative locations resolve against the redirected address; spaces and
    // bytes above 127 are percent-encoded on the way, as browsers do.
    if (curl_url_set(resolved.get(), CURLUPART_URL, location.c_str(), CURLU_URLENCODE | CURLU_ALLOW_SPACE) !=
        CURLUE_OK)
        return std::nullopt;
    const std::string to_scheme = url_part(resolved.get(), CURLUPART_SCHEME);
    const bool allowed = (to_scheme == "http" && from_scheme == "http") || (to_scheme == "https" && from_scheme == "https") ||
                         (to_scheme == "https" && from_scheme == "http" && rules.allow_http_to_https);
    if (!allowed)
        return std::nullopt;
    return RedirectTarget{url_part(resolved.get(), CURLUPART_URL), origin_of(resolved.get()) == from_origin};
}

std::string method_after_redirect(const std::string& method, int status)
{
    if ((status == 303 && method != "HEAD") || ((status == 301 || status == 302) && method == "POST"))
        return "GET";
    return method;
}

} // namespace fernwick::platform
