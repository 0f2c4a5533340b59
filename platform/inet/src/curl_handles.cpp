#include "curl_handles.h"

#include <mutex>

namespace fernwick::platform {

void ensure_curl_started()
{
    static std::once_flag started;
    std::call_once(started, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

void append(CurlList& list, const std::string& line)
{
    if (curl_slist* grown = curl_slist_append(list.get(), line.c_str())) {
        static_cast<void>(list.release());
        list.reset(grown);
    }
}

} // namespace fernwick::platform
