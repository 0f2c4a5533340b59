#include "request_composition.h"

#include <array>

#include "http/text_helpers.h"
#include "platform/inet.h"
#include "platform/text_rules.h"

namespace fernwick::request {

namespace {

constexpr const char* kDefaultUserAgent =
    "Mozilla/5.0 (Windows NT 10.0; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/50.0.2661.102 "
    "Safari/537.36";

constexpr std::array<const char*, 8> kMethods{"GET", "POST", "HEAD", "PUT", "DELETE", "OPTIONS", "TRACE", "CONNECT"};

} // namespace

Text method_text(int method)
{
    if (method < 0 || method >= static_cast<int>(kMethods.size()))
        return kMethods[0];
    return kMethods[static_cast<std::size_t>(method)];
}

Text completed_address(const Text& address)
{
    if (text::contains(address, "http://") || text::contains(address, "https://"))
        return address;
    return "http://" + address;
}

bool is_https(const Text& address)
{
    return text::to_lower(text::left(address, 8)) == "https://";
}

Text user_agent(const Text& extra_headers)
{
    if (!text::contains(extra_headers, "User-Agent:", true))
        return kDefaultUserAgent;
    // The line's value is looked for with its name spelled exactly; a name in
    // other letters falls back to the text after the block's first colon.
    Text agent = text::trim(text_between(extra_headers + "\r\n", "User-Agent:", "\r\n"));
    if (agent.empty())
        agent = text_after_colon(extra_headers);
    return agent;
}

std::uint32_t request_flags(bool https, bool cookies_supplied, bool no_redirect)
{
    using namespace platform;
    std::uint32_t flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NEED_FILE;
    flags |= https ? INTERNET_FLAG_SECURE : INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
    if (cookies_supplied)
        flags |= INTERNET_FLAG_NO_COOKIES;
    if (no_redirect)
        flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
    return flags;
}

Text header_block(const Text& extra_headers, const Text& address, const Text& cookies)
{
    Text block = extra_headers;
    if (block.empty())
        block = "Accept: */*";
    else if (!text::contains(block, "Accept:"))
        block += "\r\nAccept: */*";
    if (!text::contains(block, "Referer:"))
        block += "\r\nReferer: " + address;
    if (!text::contains(block, "Accept-Language:"))
        block += "\r\nAccept-Language: zh-cn";
    if (!text::contains(block, "Content-Type:"))
        block += "\r\nContent-Type: application/x-www-form-urlencoded";
    if (!cookies.empty())
        block += text::contains(cookies, "Cookie:") ? "\r\n" + cookies : "\r\nCookie: " + cookies;
    return block;
}

} // namespace fernwick::request
