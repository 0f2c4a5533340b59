#include "transfer.h"

#include <algorithm>

#include "connection_share.h"
#include "platform/text_rules.h"
#include "proxy_list.h"

namespace fernwick::platform {

namespace {

// Room for body bytes that arrived before the reader asked for them; beyond
// it the transfer pauses until the reader has taken them.
constexpr std::size_t kBufferCapacity = 16384;
// A response head this long is no HTTP response this program wants.
constexpr std::size_t kMaxHeadBytes = std::size_t{1} << 20;
// How long one wait for the socket lasts before the abort switch is looked at again.
constexpr int kPollMilliseconds = 100;

// Headers libcurl would add by itself unless the caller's lines name them;
// an empty "Name:" entry tells libcurl to leave them out.
constexpr std::string_view kUnwantedDefaults[] = {"Accept", "Expect", "Content-Type", "Proxy-Connection"};
// Headers that belong to the origin they were written for and do not follow a redirect elsewhere.
constexpr std::string_view kOriginBound[] = {"Host", "Cookie", "Authorization"};

int status_of(std::string_view status_line)
{
    const int space = text::find(status_line, " ");
    return space < 0 ? 0 : text::leading_int(status_line.substr(static_cast<std::size_t>(space)));
}

std::string_view without_line_end(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

bool has_blank_value(std::string_view line)
{
    return line.find_first_not_of(" \t", line.find(':') + 1) == std::string_view::npos;
}

} // namespace

Transfer::Transfer(TransferRequest request) : request_(std::move(request)), settings_(current_transfer_settings())
{
    ensure_curl_started();
    easy_.reset(curl_easy_init());
    multi_.reset(curl_multi_init());
}

Transfer::~Transfer()
{
    if (in_multi_)
        curl_multi_remove_handle(multi_.get(), easy_.get());
}

bool Transfer::start()
{
    if (!easy_ || !multi_ || transfers_blocked()) {
        finish(CURLE_FAILED_INIT);
        return false;
    }
    configure_session();
    hop_url_ = request_.url;
    for (int redirects = 0;; ++redirects) {
        if (!begin_hop()) {
            finish(CURLE_FAILED_INIT);
            break;
        }
        drive_until([this] { return head_complete_; });
        if (head_complete_ || !redirect_ || redirects == kMaxRedirects)
            break;
        const std::string method = method_after_redirect(request_.method, status_);
        if (method != request_.method) {
            request_.method = method;
            request_.body.clear();
        }
        if (!redirect_->same_origin) {
            std::erase_if(request_.header_lines, [](const std::string& line) {
                return std::any_of(std::begin(kOriginBound), std::end(kOriginBound),
                                   [&line](std::string_view name) { return is_header(line, name); });
            });
        }
        hop_url_ = redirect_->url;
    }
    save_cookies();
    if (!head_complete_)
        return false;
    final_head_ = head_;
    final_status_ = status_;
    return true;
}

std::size_t Transfer::read(std::uint8_t* buffer, std::size_t capacity)
{
    if (!head_complete_)
        return 0;
    if (!done_ && transfers_blocked())
        abandon();
    while (unread() == 0 && !done_) {
        if (paused_) {
            paused_ = false;
            if (curl_easy_pause(easy_.get(), CURLPAUSE_CONT) != CURLE_OK)
                finish(CURLE_RECV_ERROR);
            continue;
        }
        drive_until([this] { return unread() > 0; });
    }
    const std::size_t count = std::min(capacity, unread());
    std::copy_n(buffer_.data() + buffer_start_, count, buffer);
    buffer_start_ += count;
    return count;
}

bool Transfer::failed() const
{
    return !head_complete_ || (done_ && result_ != CURLE_OK);
}

void Transfer::configure_session()
{
    CURL* easy = easy_.get();
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Transfer::on_header);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::on_body);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    // The body reaches the caller exactly as sent; decoding it is the caller's business.
    curl_easy_setopt(easy, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION,
                     request_.http_1_0 ? long{CURL_HTTP_VERSION_1_0} : long{CURL_HTTP_VERSION_1_1});
    curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    if (!request_.user_agent.empty())
        curl_easy_setopt(easy, CURLOPT_USERAGENT, request_.user_agent.c_str());
    if (!request_.referrer.empty())
        curl_easy_setopt(easy, CURLOPT_REFERER, request_.referrer.c_str());

    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    if (settings_.trusted_certificates) {
        curl_blob certificates{const_cast<char*>(settings_.trusted_certificates->data()),
                               settings_.trusted_certificates->size(), CURL_BLOB_NOCOPY};
        curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, &certificates);
    }
    for (const std::string& rule : settings_.diagnostics.connect_to)
        append(connect_to_, rule);
    curl_easy_setopt(easy, CURLOPT_CONNECT_TO, connect_to_.get());

    if (settings_.diagnostics.reuse_connections)
        curl_easy_setopt(easy, CURLOPT_SHARE, connection_share());

    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, long{settings_.diagnostics.connect_timeout_seconds});
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, long{settings_.diagnostics.stall_timeout_seconds});
    load_cookies();
}

bool Transfer::begin_hop()
{
    if (in_multi_) {
        curl_multi_remove_handle(multi_.get(), easy_.get());
        in_multi_ = false;
    }
    head_.clear();
    status_ = 0;
    location_.clear();
    redirect_.reset();
    head_complete_ = false;
    done_ = false;
    result_ = CURLE_OK;

    CURL* easy = easy_.get();
    curl_easy_setopt(easy, CURLOPT_URL, hop_url_.c_str());
    const std::string proxy =
        proxy_for_scheme(request_.proxy_list, hop_url_.starts_with("https:") ? "https" : "http");
    // An empty proxy and a bypass for every host also keep the environment's proxy settings out.
    curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str());
    curl_easy_setopt(easy, CURLOPT_NOPROXY, proxy.empty() ? "*" : "");
    set_method_and_body();
    set_header_lines();
    in_multi_ = curl_multi_add_handle(multi_.get(), easy) == CURLM_OK;
    return in_multi_;
}

void Transfer::set_method_and_body()
{
    CURL* easy = easy_.get();
    const std::string& method = request_.method;
    if (method == "HEAD") {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, nullptr);
    } else if (!request_.body.empty() || method == "POST" || method == "PUT") {
        static const char kNoBytes[] = "";
        curl_easy_setopt(easy, CURLOPT_POST, 1L);
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request_.body.size()));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS,
                         request_.body.empty() ? kNoBytes : reinterpret_cast<const char*>(request_.body.data()));
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method == "POST" ? nullptr : method.c_str());
    } else {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method == "GET" ? nullptr : method.c_str());
    }
}

void Transfer::set_header_lines()
{
    CurlList lines;
    for (const std::string& line : request_.header_lines) {
        // libcurl drops a "Name:" line with nothing after the colon; "Name;" sends it empty.
        append(lines, has_blank_value(line) ? line.substr(0, line.find(':')) + ";" : line);
    }
    for (std::string_view name : kUnwantedDefaults) {
        if (!has_header(request_.header_lines, name))
            append(lines, std::string(name) + ":");
    }
    curl_easy_setopt(easy_.get(), CURLOPT_HTTPHEADER, lines.get());
    hop_headers_ = std::move(lines);
}

template <class Condition>
void Transfer::drive_until(Condition satisfied)
{
    while (!done_ && !satisfied()) {
        if (transfers_blocked()) {
            abandon();
            return;
        }
        int running = 0;
        if (curl_multi_perform(multi_.get(), &running) != CURLM_OK) {
            finish(CURLE_FAILED_INIT);
            return;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_.get(), &queued)) {
            if (message->msg == CURLMSG_DONE)
                finish(message->data.result);
        }
        if (!done_ && !satisfied())
            curl_multi_poll(multi_.get(), nullptr, 0, kPollMilliseconds, nullptr);
    }
}

void Transfer::finish(CURLcode result)
{
    done_ = true;
    result_ = result;
}

void Transfer::abandon()
{
    finish(CURLE_ABORTED_BY_CALLBACK);
    buffer_.clear();
    buffer_start_ = 0;
    if (in_multi_) {
        curl_multi_remove_handle(multi_.get(), easy_.get());
        in_multi_ = false;
    }
}

std::size_t Transfer::on_header(char* data, std::size_t size, std::size_t count, void* self)
{
    return static_cast<Transfer*>(self)->take_header_line(std::string_view(data, size * count));
}

std::size_t Transfer::on_body(char* data, std::size_t size, std::size_t count, void* self)
{
    return static_cast<Transfer*>(self)->take_body(std::string_view(data, size * count));
}

std::size_t Transfer::take_header_line(std::string_view line)
{
    // Returning less than the line's length stops the hop.
    constexpr std::size_t kStop = 0;
    if (line.starts_with("HTTP/")) {
        // Each response, informational or redirecting, starts a new head.
        head_.clear();
        location_.clear();
        status_ = status_of(line);
    }
    const std::string_view content = without_line_end(line);
    head_ += content;
    head_ += "\r\n";
    if (head_.size() > kMaxHeadBytes)
        return kStop;
    if (!content.empty()) {
        if (is_header(content, "Location"))
            location_ = text::trim(content.substr(content.find(':') + 1)).view();
        return line.size();
    }
    if (status_ >= 100 && status_ < 200)
        return line.size(); // the real response follows
    redirect_ = redirect_target(hop_url_, status_, location_, request_.redirects);
    if (redirect_)
        return kStop; // its body is of no interest; the next hop goes to the target
    head_complete_ = true;
    return line.size();
}

std::size_t Transfer::take_body(std::string_view bytes)
{
    if (unread() > 0 && unread() + bytes.size() > kBufferCapacity) {
        paused_ = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(buffer_start_));
    buffer_start_ = 0;
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    return bytes.size();
}

void Transfer::load_cookies()
{
    if (!request_.cookies)
        return;
    CURL* easy = easy_.get();
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, ""); // the engine, without a file
    const std::lock_guard lock(request_.cookies->mutex);
    for (const std::string& line : request_.cookies->lines)
        curl_easy_setopt(easy, CURLOPT_COOKIELIST, line.c_str());
}

void Transfer::save_cookies()
{
    if (!request_.cookies)
        return;
    curl_slist* list = nullptr;
    if (curl_easy_getinfo(easy_.get(), CURLINFO_COOKIELIST, &list) != CURLE_OK)
        return;
    const CurlList owned(list);
    std::vector<std::string> lines;
    for (const curl_slist* entry = list; entry != nullptr; entry = entry->next)
        lines.emplace_back(entry->data);
    const std::lock_guard lock(request_.cookies->mutex);
    request_.cookies->lines = std::move(lines);
}

} // namespace fernwick::platform
