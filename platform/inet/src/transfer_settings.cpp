#include "transfer_settings.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <mutex>

#include "curl_handles.h"

namespace fernwick::platform {

namespace {

std::mutex settings_mutex;
TransferSettings settings;
std::atomic<bool> blocked{false};

std::string file_text(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// libcurl's own certificate bundle: the system's trust store on this build.
std::string system_certificate_file()
{
    ensure_curl_started();
    const EasyHandle easy(curl_easy_init());
    char* path = nullptr;
    if (!easy || curl_easy_getinfo(easy.get(), CURLINFO_CAINFO, &path) != CURLE_OK || path == nullptr)
        return {};
    return path;
}

std::shared_ptr<const std::string> trusted_certificates(const std::vector<std::string>& extra_files)
{
    if (extra_files.empty())
        return nullptr;
    std::string bundle = file_text(system_certificate_file());
    for (const std::string& file : extra_files)
        bundle += "\n" + file_text(file);
    return std::make_shared<const std::string>(std::move(bundle));
}

} // namespace

void set_internet_diagnostics(const InternetDiagnostics& diagnostics)
{
    TransferSettings next{diagnostics, trusted_certificates(diagnostics.extra_ca_files)};
    next.diagnostics.connect_timeout_seconds = std::max(1, diagnostics.connect_timeout_seconds);
    next.diagnostics.stall_timeout_seconds = std::max(1, diagnostics.stall_timeout_seconds);
    const std::lock_guard lock(settings_mutex);
    settings = std::move(next);
}

InternetDiagnostics internet_diagnostics()
{
    const std::lock_guard lock(settings_mutex);
    return settings.diagnostics;
}

TransferSettings current_transfer_settings()
{
    const std::lock_guard lock(settings_mutex);
    return settings;
}

void abort_all_transfers()
{
    blocked = true;
}

void allow_transfers()
{
    blocked = false;
}

bool transfers_blocked()
{
    return blocked;
}

} // namespace fernwick::platform
