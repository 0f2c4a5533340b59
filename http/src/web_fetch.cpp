#include "http/web_fetch.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "http/text_helpers.h"
#include "platform/inet.h"
#include "platform/text_rules.h"
#include "request_composition.h"
#include "response_reading.h"

namespace fernwick {

namespace {

constexpr std::uint32_t kReadChunk = 1024;
constexpr std::uint32_t kHeaderBufferLength = 5000;

// Written once at start-up, read by every exchange on any thread.
std::atomic<const Inflater*> program_inflater{nullptr};

struct HandleCloser {
    void operator()(platform::InternetHandle handle) const { platform::InternetCloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<platform::InternetObject, HandleCloser>;

// An optional in/out argument: the caller's variable when supplied, else a
// local empty value.
template <class T>
class InOut {
public:
    explicit InOut(T* supplied) : value_(supplied ? *supplied : local_) {}
    InOut(const InOut&) = delete;
    InOut& operator=(const InOut&) = delete;
    T& operator*() { return value_; }
    T* operator->() { return &value_; }

private:
    T local_{};
    T& value_;
};

OwnedHandle open_session(const Text& agent, const Text& proxy, bool https)
{
    if (proxy.empty())
        return OwnedHandle(platform::InternetOpenA(agent, platform::INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
    // A proxy given for a plain-HTTP address serves plain-HTTP addresses only.
    Text proxy_text = https ? proxy : "http=" + proxy;
    return OwnedHandle(platform::InternetOpenA(agent, platform::INTERNET_OPEN_TYPE_PROXY, proxy_text, "", 0));
}

ByteBuffer read_body(platform::InternetHandle request)
{
    ByteBuffer body;
    std::array<std::uint8_t, kReadChunk> chunk{};
    for (;;) {
        std::uint32_t read = 0;
        platform::InternetReadFile(request, chunk.data(), kReadChunk, &read);
        if (read == 0)
            return body;
        body.insert(body.end(), chunk.begin(), chunk.begin() + read);
    }
}

// The raw response header block; 5000 spaces when it does not fit the
// 5000-byte buffer.
Text read_headers(platform::InternetHandle request)
{
    std::string buffer(kHeaderBufferLength, ' ');
    std::uint32_t length = kHeaderBufferLength;
    platform::HttpQueryInfoA(request, platform::HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr);
    return Text(std::string_view(buffer));
}

} // namespace

void use_inflater(const Inflater* inflater)
{
    program_inflater.store(inflater);
}

ByteBuffer web_fetch(Text& address, const FetchOptions& options)
{
    InOut<Text> cookies(options.cookies);
    InOut<Text> cookies_out(options.cookies_out);
    InOut<Text> extra_headers(options.extra_headers);
    InOut<Text> headers_out(options.headers_out);
    InOut<ByteBuffer> body_bytes(options.body_bytes);
    const Text body_text = options.body_text ? *options.body_text : Text();
    const Text proxy = options.proxy ? *options.proxy : Text();
    const bool cookies_supplied = options.cookies != nullptr;

    const Text method = request::method_text(options.method);
    address = request::completed_address(address);
    const bool https = request::is_https(address);
    const Text agent = request::user_agent(*extra_headers);

    OwnedHandle internet = open_session(agent, proxy, https);
    if (!internet)
        return {};
    OwnedHandle connection(platform::InternetConnectA(internet.get(), url_host(address), url_port(address), "", "",
                                                      platform::INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection)
        return {};
    OwnedHandle request(platform::HttpOpenRequestA(connection.get(), method, url_path(address), "HTTP/1.1", "",
                                                   nullptr,
                                                   request::request_flags(https, cookies_supplied, options.no_redirect),
                                                   0));
    if (!request)
        return {};

    *extra_headers = request::header_block(*extra_headers, address, *cookies);
    // A GET (also one chosen for an unknown index) never carries a body;
    // other methods send the bytes, or else the text.
    ByteBuffer no_body;
    const ByteBuffer* body_sent = &no_body;
    if (method != "GET") {
        if (body_bytes->empty())
            *body_bytes = body_text.to_bytes();
        body_sent = &*body_bytes;
    }
    platform::HttpSendRequestA(request.get(), extra_headers->c_str(),
                               static_cast<std::uint32_t>(extra_headers->length()), body_sent->data(),
                               static_cast<std::uint32_t>(body_sent->size()));

    ByteBuffer body = read_body(request.get());
    *headers_out = response::with_cookie_headers_spelled(read_headers(request.get()));
    request.reset();
    connection.reset();
    internet.reset();

    *cookies_out = response::collected_cookies(*headers_out);
    if (cookies_supplied)
        *cookies_out = cookie_merge(*cookies, *cookies_out);
    return response::decoded_body(body, *headers_out, program_inflater.load());
}

} // namespace fernwick
