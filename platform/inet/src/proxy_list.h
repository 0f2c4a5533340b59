#pragma once

#include <string>
#include <string_view>

namespace fernwick::platform {

// The proxy that a WinInet-style proxy list names for addresses of one scheme
// ("http" or "https"), or the empty text for a direct connection. The list's
// entries are separated by spaces or semicolons; "SCHEME=SERVER" serves that
// scheme only, a bare "SERVER" every scheme without an entry of its own.
std::string proxy_for_scheme(std::string_view proxy_list, std::string_view scheme);

} // namespace fernwick::platform
