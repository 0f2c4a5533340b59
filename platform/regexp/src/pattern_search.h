#pragma once

// The search behind RegExp::execute, on PCRE2's 16-bit library.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace fernwick::platform {

struct SearchOptions {
    bool ignore_case = false;
    bool multiline = false;
    bool global = false;
};

// Where one match lies in the subject, in UTF-16 code units: [begin, end).
struct MatchSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The matches of a JScript-dialect pattern in the subject, in order; nullopt
// when the pattern does not compile or the search exceeds its work limits.
std::optional<std::vector<MatchSpan>> search_pattern(std::u16string_view pattern, SearchOptions options,
                                                     std::u16string_view subject);

} // namespace fernwick::platform
