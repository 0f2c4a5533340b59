#include "connection_share.h"

#include <array>
#include <mutex>

#include "curl_handles.h"

namespace fernwick::platform {

namespace {

// The share with one mutex for each kind of data libcurl locks in it.
struct ConnectionShare {
    ConnectionShare()
    {
        ensure_curl_started();
        share = curl_share_init();
        if (share == nullptr)
            return;
        curl_share_setopt(share, CURLSHOPT_LOCKFUNC, &ConnectionShare::lock);
        curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, &ConnectionShare::unlock);
        curl_share_setopt(share, CURLSHOPT_USERDATA, this);
        curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
        curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
        curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    }

    static std::mutex& mutex_for(curl_lock_data data, void* self)
    {
        auto& mutexes = static_cast<ConnectionShare*>(self)->mutexes;
        const auto index = static_cast<std::size_t>(data);
        return mutexes.at(index < mutexes.size() ? index : 0);
    }
    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self) { mutex_for(data, self).lock(); }
    static void unlock(CURL*, curl_lock_data data, void* self) { mutex_for(data, self).unlock(); }

    std::array<std::mutex, CURL_LOCK_DATA_LAST> mutexes;
    CURLSH* share = nullptr;
};

} // namespace

CURLSH* connection_share()
{
    // Never destroyed: transfers of threads still running at exit may use it.
    static ConnectionShare* const shared = new ConnectionShare();
    return shared->share;
}

} // namespace fernwick::platform
