#include "platform/inet.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_set>

#include "platform/text_rules.h"
#include "transfer.h"

// Each handle is an object of its own. A child keeps shared hold of what it
// needs from its parent, so closing the parent first leaves the child usable.
struct fernwick::platform::InternetObject {
    virtual ~InternetObject() = default;
};

namespace fernwick::platform {

namespace {

constexpr std::uint32_t kMaxReadBytes = 1024;
constexpr std::uint32_t kZeroTerminated = 0xFFFFFFFF;

struct SessionSettings {
    std::string agent;
    std::string proxy_list; // empty for a direct connection
    std::shared_ptr<CookieJar> cookies = std::make_shared<CookieJar>();
};

struct Session final : InternetObject {
    std::shared_ptr<const SessionSettings> settings;
};

struct Connection final : InternetObject {
    std::shared_ptr<const SessionSettings> session;
    std::string host;
    int port = 0;
};

struct Request final : InternetObject {
    std::shared_ptr<const SessionSettings> session;
    std::string host;
    int port = 0;
    std::string method;
    std::string path;
    std::string referrer;
    bool http_1_0 = false;
    std::uint32_t flags = 0;
    std::unique_ptr<Transfer> transfer;
};

// The handles given out and not yet closed, so that a closed or made-up
// handle is refused instead of followed.
std::mutex handles_mutex;
std::unordered_set<InternetObject*> open_handles;

InternetHandle hand_out(std::unique_ptr<InternetObject> object)
{
    const std::lock_guard lock(handles_mutex);
    open_handles.insert(object.get());
    return object.release();
}

template <class Kind>
Kind* open_handle(InternetHandle handle)
{
    const std::lock_guard lock(handles_mutex);
    return open_handles.contains(handle) ? dynamic_cast<Kind*>(handle) : nullptr;
}

// Host names and IPv4 addresses; anything else could change what the address means.
bool is_plain_host(std::string_view host)
{
    return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
               c == '_';
    });
}

bool is_token(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte > 0x20 && byte < 0x7F && !text::contains("\"(),/:;<=>?@[\\]{}", std::string_view(&c, 1));
    });
}

// A text that travels as one header value: what stands before its first line break.
std::string first_line(const Text& text)
{
    int end = text.length() + 1;
    for (const char* line_break : {"\r", "\n"}) {
        if (const int at = text::find(text, line_break); at > 0)
            end = std::min(end, at);
    }
    return std::string(text::left(text, end - 1).view());
}

// The path as a request target: bytes that cannot stand in one raw
// (controls, spaces, bytes above 127) are percent-encoded.
std::string request_target(std::string_view path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string target = path.starts_with('/') ? "" : "/";
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            target += '%';
            target += kHex[byte >> 4];
            target += kHex[byte & 0xF];
        } else {
            target += c;
        }
    }
    return target;
}

TransferRequest transfer_request(const Request& request, HeaderLines lines, const void* body, std::uint32_t body_length)
{
    const bool secure = (request.flags & INTERNET_FLAG_SECURE) != 0;
    TransferRequest transfer;
    transfer.url = (secure ? "https://" : "http://") + request.host + ":" + std::to_string(request.port) +
                   request_target(request.path);
    transfer.method = request.method;
    const auto* bytes = static_cast<const std::uint8_t*>(body);
    transfer.body.assign(bytes, bytes + body_length);
    transfer.header_lines = std::move(lines);
    transfer.user_agent = request.session->agent;
    transfer.referrer = request.referrer;
    transfer.proxy_list = request.session->proxy_list;
    transfer.http_1_0 = request.http_1_0;
    transfer.redirects.follow = (request.flags & INTERNET_FLAG_NO_AUTO_REDIRECT) == 0;
    transfer.redirects.allow_http_to_https = (request.flags & INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS) != 0;
    if ((request.flags & INTERNET_FLAG_NO_COOKIES) == 0)
        transfer.cookies = request.session->cookies;
    return transfer;
}

} // namespace

InternetHandle InternetOpenA(const Text& agent, std::uint32_t access_type, const Text& proxy,
                             const Text& proxy_bypass, std::uint32_t /*flags*/)
{
    const bool direct = access_type == INTERNET_OPEN_TYPE_DIRECT;
    if ((!direct && access_type != INTERNET_OPEN_TYPE_PROXY) || (!direct && proxy.empty()) || !proxy_bypass.empty())
        return nullptr;
    auto settings = std::make_shared<SessionSettings>();
    settings->agent = first_line(agent);
    if (!direct)
        settings->proxy_list = proxy.view();
    auto session = std::make_unique<Session>();
    session->settings = std::move(settings);
    return hand_out(std::move(session));
}

InternetHandle InternetConnectA(InternetHandle internet, const Text& host, int port, const Text& user,
                                const Text& password, std::uint32_t service, std::uint32_t /*flags*/,
                                std::uintptr_t /*context*/)
{
    const Session* session = open_handle<Session>(internet);
    if (session == nullptr || host.empty() || port < 1 || port > 65535 || !user.empty() || !password.empty() ||
        service != INTERNET_SERVICE_HTTP)
        return nullptr;
    auto connection = std::make_unique<Connection>();
    connection->session = session->settings;
    connection->host = host.view();
    connection->port = port;
    return hand_out(std::move(connection));
}

InternetHandle HttpOpenRequestA(InternetHandle connection, const Text& method, const Text& path,
                                const Text& version, const Text& referrer, const char* const* accept_types,
                                std::uint32_t flags, std::uintptr_t /*context*/)
{
    const Connection* parent = open_handle<Connection>(connection);
    const bool known_version = version.empty() || version == "HTTP/1.1" || version == "HTTP/1.0";
    if (parent == nullptr || accept_types != nullptr || !known_version || (!method.empty() && !is_token(method)))
        return nullptr;
    auto request = std::make_unique<Request>();
    request->session = parent->session;
    request->host = parent->host;
    request->port = parent->port;
    request->method = method.empty() ? "GET" : std::string(method.view());
    request->path = path.view();
    request->referrer = first_line(referrer);
    request->http_1_0 = version == "HTTP/1.0";
    request->flags = flags;
    return hand_out(std::move(request));
}

bool HttpSendRequestA(InternetHandle request, const char* headers, std::uint32_t headers_length, const void* body,
                      std::uint32_t body_length)
{
    Request* target = open_handle<Request>(request);
    if (target == nullptr)
        return false;
    target->transfer.reset();
    if (body == nullptr && body_length > 0)
        return false;
    std::string_view block;
    if (headers != nullptr)
        block = headers_length == kZeroTerminated ? std::string_view(headers) : std::string_view(headers, headers_length);
    std::optional<HeaderLines> lines = split_header_block(block);
    if (!lines || !is_plain_host(target->host))
        return false;
    target->transfer = std::make_unique<Transfer>(transfer_request(*target, std::move(*lines), body, body_length));
    return target->transfer->start();
}

bool InternetReadFile(InternetHandle request, void* buffer, std::uint32_t to_read, std::uint32_t* read)
{
    if (read == nullptr)
        return false;
    *read = 0;
    Request* source = open_handle<Request>(request);
    if (source == nullptr || !source->transfer || (buffer == nullptr && to_read > 0))
        return false;
    Transfer& transfer = *source->transfer;
    *read = static_cast<std::uint32_t>(
        transfer.read(static_cast<std::uint8_t*>(buffer), std::min(to_read, kMaxReadBytes)));
    return *read > 0 || !transfer.failed();
}

bool HttpQueryInfoA(InternetHandle request, std::uint32_t info_level, char* buffer, std::uint32_t* buffer_length,
                    std::uint32_t* index)
{
    const Request* source = open_handle<Request>(request);
    if (source == nullptr || info_level != HTTP_QUERY_RAW_HEADERS_CRLF || buffer_length == nullptr ||
        index != nullptr || !source->transfer || source->transfer->response_head().empty())
        return false;
    const std::string& head = source->transfer->response_head();
    const auto needed = static_cast<std::uint32_t>(head.size() + 1);
    if (buffer == nullptr || *buffer_length < needed) {
        *buffer_length = needed;
        return false;
    }
    std::memcpy(buffer, head.data(), head.size());
    buffer[head.size()] = '\0';
    *buffer_length = needed - 1;
    return true;
}

bool InternetCloseHandle(InternetHandle handle)
{
    {
        const std::lock_guard lock(handles_mutex);
        if (open_handles.erase(handle) == 0)
            return false;
    }
    delete handle;
    return true;
}

} // namespace fernwick::platform
