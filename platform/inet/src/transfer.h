#pragma once

// One HTTP exchange over libcurl, redirects included, whose body streams to
// the reader through a small buffer: libcurl's multi interface drives the
// socket only while the reader waits, and pauses the transfer while the
// buffer is full, so no second copy of the whole body is ever held.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "curl_handles.h"
#include "header_lines.h"
#include "redirects.h"
#include "transfer_settings.h"

namespace fernwick::platform {

// Cookies kept between the requests of one session, in libcurl's cookie-file lines.
struct CookieJar {
    std::mutex mutex;
    std::vector<std::string> lines;
};

struct TransferRequest {
    std::string url; // absolute http or https address
    std::string method = "GET";
    std::vector<std::uint8_t> body;
    HeaderLines header_lines; // sent as given; the layer adds only Host, Content-Length and the agent
    std::string user_agent;   // sent unless the lines carry a User-Agent; empty: none
    std::string referrer;     // sent unless the lines carry a Referer; empty: none
    std::string proxy_list;   // WinInet-style; empty: a direct connection
    bool http_1_0 = false;
    RedirectRules redirects;
    std::shared_ptr<CookieJar> cookies; // null: no cookie engine at all
};

class Transfer {
public:
    explicit Transfer(TransferRequest request);
    ~Transfer();
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    // Sends the request and follows redirects as the rules allow, until the
    // final response's header block has arrived; false when none arrived.
    bool start();
    // Up to `capacity` bytes of the final response's body; 0 at its end and
    // after a failure, which failed() then tells.
    std::size_t read(std::uint8_t* buffer, std::size_t capacity);
    bool failed() const;

    // The final response's status line and header lines as received, each
    // ended by CR LF, and the empty line that closes them; empty before start().
    const std::string& response_head() const { return final_head_; }
    int status() const { return final_status_; }

private:
    static std::size_t on_header(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t on_body(char* data, std::size_t size, std::size_t count, void* self);
    std::size_t take_header_line(std::string_view line);
    std::size_t take_body(std::string_view bytes);

    void configure_session();
    bool begin_hop();
    void set_method_and_body();
    void set_header_lines();
    // One round of progress: runs libcurl, then waits for the socket unless `satisfied`.
    template <class Condition>
    void drive_until(Condition satisfied);
    void finish(CURLcode result);
    void abandon();
    void load_cookies();
    void save_cookies();
    std::size_t unread() const { return buffer_.size() - buffer_start_; }

    // Declared so that the multi handle goes first and the lists and
    // certificates the easy handle points at go last.
    TransferRequest request_;
    TransferSettings settings_;
    CurlList connect_to_;
    CurlList hop_headers_;
    EasyHandle easy_;
    MultiHandle multi_;
    bool in_multi_ = false;

    // The hop under way.
    std::string hop_url_;
    std::string head_;
    int status_ = 0;
    std::string location_;
    std::optional<RedirectTarget> redirect_;
    bool head_complete_ = false;
    bool done_ = false;
    CURLcode result_ = CURLE_OK;

    std::string final_head_;
    int final_status_ = 0;

    std::vector<std::uint8_t> buffer_;
    std::size_t buffer_start_ = 0;
    bool paused_ = false;
};

} // namespace fernwick::platform
