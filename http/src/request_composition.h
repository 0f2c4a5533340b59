#pragma once

// The request side of an exchange: what web_fetch derives from its arguments
// before any byte travels.

#include <cstdint>

#include "platform/text.h"

namespace fernwick::request {

// The method text for a method index; an unknown index gives "GET".
Text method_text(int method);

// Prefixes "http://" unless the address names "http://" or "https://"
// (exactly, anywhere in it).
Text completed_address(const Text& address);
bool is_https(const Text& address);

// The agent announced for the session: the value of a "User-Agent:" line
// among the extra headers, else the program's default agent.
Text user_agent(const Text& extra_headers);

// The flag word that opens the request.
std::uint32_t request_flags(bool https, bool cookies_supplied, bool no_redirect);

// The header block as sent: the extra header lines followed by every
// default the caller did not give, and the cookies. No CR LF follows the
// last line.
Text header_block(const Text& extra_headers, const Text& address, const Text& cookies);

} // namespace fernwick::request
