#include "connection_share.h"

#include "curl_handles.h"

namespace fernwick::platform {

namespace {

class ThreadShare {
public:
    ThreadShare()
    {
        ensure_curl_started();
        share_ = curl_share_init();
        if (share_ == nullptr)
            return;
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    }
    // Closes the cached connections; by then no transfer of the thread is left.
    ~ThreadShare() { curl_share_cleanup(share_); }
    ThreadShare(const ThreadShare&) = delete;
    ThreadShare& operator=(const ThreadShare&) = delete;

    CURLSH* get() const { return share_; }

private:
    CURLSH* share_ = nullptr;
};

} // namespace

CURLSH* connection_share()
{
    thread_local const ThreadShare share;
    return share.get();
}

} // namespace fernwick::platform
