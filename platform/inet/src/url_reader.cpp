#include "platform/url_reader.h"

#include "curl_handles.h"
#include "transfer.h"

namespace fernwick::platform {

namespace {

constexpr std::size_t kMaxBodyBytes = std::size_t{64} << 20;
constexpr char kUserAgent[] = "Fernwick/1.0";

// The address in libcurl's normal form when it is an absolute http or https address.
std::optional<std::string> http_address(const Text& address)
{
    ensure_curl_started();
    const UrlHandle url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_URL, address.c_str(), CURLU_URLENCODE | CURLU_ALLOW_SPACE) != CURLUE_OK)
        return std::nullopt;
    char* scheme = nullptr;
    char* normal = nullptr;
    std::optional<std::string> result;
    if (curl_url_get(url.get(), CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
        curl_url_get(url.get(), CURLUPART_URL, &normal, 0) == CURLUE_OK &&
        (std::string_view(scheme) == "http" || std::string_view(scheme) == "https"))
        result = normal;
    curl_free(scheme);
    curl_free(normal);
    return result;
}

} // namespace

ByteBuffer read_url(const Text& address)
{
    const std::optional<std::string> url = address.empty() ? std::nullopt : http_address(address);
    if (!url)
        return {};
    TransferRequest request;
    request.url = *url;
    request.header_lines = {"Accept: */*"};
    request.user_agent = kUserAgent;
    Transfer transfer(std::move(request));
    if (!transfer.start() || transfer.status() < 200 || transfer.status() > 299)
        return {};
    ByteBuffer body;
    std::uint8_t chunk[16384];
    while (const std::size_t count = transfer.read(chunk, sizeof chunk)) {
        if (body.size() + count > kMaxBodyBytes)
            return {};
        body.insert(body.end(), chunk, chunk + count);
    }
    return transfer.failed() ? ByteBuffer() : body;
}

} // namespace fernwick::platform
