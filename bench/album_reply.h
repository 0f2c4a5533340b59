#pragma once

// Album-list replies shaped like the service's, generated for benchmarks.

#include <string>
#include <string_view>

namespace fernwick::bench {

// A reply with `posts` posts holding `pictures` pictures between them (as
// evenly as they go, the first posts taking the remainder), each post with
// the fields the service returns. Picture J of the whole reply (0-based) has
// the address `address_prefix` + J + ".jpg".
std::string album_reply(int posts, int pictures, std::string_view address_prefix);

} // namespace fernwick::bench
