#pragma once

// Owners for libcurl's handles, and the one-time library start-up.

#include <curl/curl.h>

#include <memory>
#include <string>

namespace fernwick::platform {

// Starts libcurl once for the process, whichever thread asks first.
void ensure_curl_started();

struct EasyCleanup {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiCleanup {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListCleanup {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct UrlCleanup {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

using EasyHandle = std::unique_ptr<CURL, EasyCleanup>;
using MultiHandle = std::unique_ptr<CURLM, MultiCleanup>;
using CurlList = std::unique_ptr<curl_slist, ListCleanup>;
using UrlHandle = std::unique_ptr<CURLU, UrlCleanup>;

// Appends a copy of `line` to the list; a failed allocation leaves the list as it was.
void append(CurlList& list, const std::string& line);

} // namespace fernwick::platform
