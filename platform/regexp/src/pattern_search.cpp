#include "pattern_search.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <cstdint>
#include <memory>
#include <string>

namespace fernwick::platform {

namespace {

// Limits of one attempt at one start position, enforced by PCRE2 itself:
// backtracking steps, nesting of backtracking points, and the memory that
// holds them.
constexpr std::uint32_t kMatchLimit = 1'000'000;
constexpr std::uint32_t kDepthLimit = 100'000;
constexpr std::uint32_t kHeapLimitKibibytes = 64 * 1024;

// PCRE2 applies the limits above afresh at every start position, so on a
// long subject a pattern that backtracks or rescans a little at each one
// could still run for hours. One budget therefore covers a whole search.
constexpr std::size_t kWorkLimit = 50'000'000;

template <class T, void (*release)(T*)>
struct Releaser {
    void operator()(T* handle) const { release(handle); }
};

template <class T, void (*release)(T*)>
using Owned = std::unique_ptr<T, Releaser<T, release>>;

using CompileContext = Owned<pcre2_compile_context, pcre2_compile_context_free>;
using Code = Owned<pcre2_code, pcre2_code_free>;
using MatchContext = Owned<pcre2_match_context, pcre2_match_context_free>;
using MatchData = Owned<pcre2_match_data, pcre2_match_data_free>;

// The work done so far, measured through the callouts PCRE2_AUTO_CALLOUT
// places before every item of the pattern: each callout costs one unit plus
// the distance moved since the previous one, so repeats that scan far count
// as much as backtracking does.
struct WorkBudget {
    std::size_t remaining = kWorkLimit;
    PCRE2_SIZE last_position = 0;
};

int charge_work(pcre2_callout_block* callout, void* data)
{
    auto& budget = *static_cast<WorkBudget*>(data);
    // Finding the next start position is a single pass over the subject
    // and costs nothing here.
    if (callout->callout_flags & PCRE2_CALLOUT_STARTMATCH)
        budget.last_position = callout->current_position;
    PCRE2_SIZE position = callout->current_position;
    std::size_t moved = position > budget.last_position ? position - budget.last_position
                                                        : budget.last_position - position;
    budget.last_position = position;
    std::size_t cost = 1 + moved;
    if (cost > budget.remaining)
        return PCRE2_ERROR_MATCHLIMIT;
    budget.remaining -= cost;
    return 0;
}

// PCRE2 wants a real address even for an empty string.
PCRE2_SPTR units_of(std::u16string_view text)
{
    return reinterpret_cast<PCRE2_SPTR>(text.empty() ? u"" : text.data());
}

std::uint32_t compile_options(SearchOptions options)
{
    // The JScript dialect: \u and \x escapes as JScript reads them, [] and [^]
    // as empty and full classes, $ only at the very end unless multi-line,
    // a backreference to an unset group matching the empty string. Matching
    // is by character, so a surrogate pair is one; \C, which could split a
    // pair, is refused.
    std::uint32_t flags = PCRE2_UTF | PCRE2_NEVER_BACKSLASH_C | PCRE2_ALT_BSUX
        | PCRE2_ALLOW_EMPTY_CLASS | PCRE2_DOLLAR_ENDONLY | PCRE2_MATCH_UNSET_BACKREF | PCRE2_AUTO_CALLOUT;
    if (options.ignore_case)
        flags |= PCRE2_CASELESS;
    if (options.multiline)
        flags |= PCRE2_MULTILINE;
    return flags;
}

Code compile(std::u16string_view pattern, SearchOptions options)
{
    CompileContext context(pcre2_compile_context_create(nullptr));
    if (!context)
        return nullptr;
    // Line breaks of Windows texts: CR, LF and CR LF.
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
    int error = 0;
    PCRE2_SIZE error_offset = 0;
    return Code(pcre2_compile(units_of(pattern), pattern.size(),
                              compile_options(options), &error, &error_offset, context.get()));
}

MatchContext limited_match_context(WorkBudget& budget)
{
    MatchContext context(pcre2_match_context_create(nullptr));
    if (!context)
        return nullptr;
    pcre2_set_match_limit(context.get(), kMatchLimit);
    pcre2_set_depth_limit(context.get(), kDepthLimit);
    pcre2_set_heap_limit(context.get(), kHeapLimitKibibytes);
    pcre2_set_callout(context.get(), charge_work, &budget);
    return context;
}

bool is_high_surrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The subject as PCRE2 gets it: every unpaired surrogate, which UTF-16 does
// not allow, replaced by U+FFFD. Each stays one character at its place, so
// offsets into the copy are offsets into the subject.
std::u16string well_formed(std::u16string_view subject)
{
    std::u16string units(subject);
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (is_high_surrogate(units[i]) && i + 1 < units.size() && is_low_surrogate(units[i + 1]))
            ++i;
        else if (is_high_surrogate(units[i]) || is_low_surrogate(units[i]))
            units[i] = u'\uFFFD';
    }
    return units;
}

// Where the search goes on after an empty match: one character further.
std::size_t next_character(std::u16string_view subject, std::size_t position)
{
    bool pair = position + 1 < subject.size() && is_high_surrogate(subject[position])
        && is_low_surrogate(subject[position + 1]);
    return position + (pair ? 2 : 1);
}

} // namespace

std::optional<std::vector<MatchSpan>> search_pattern(std::u16string_view pattern, SearchOptions options,
                                                     std::u16string_view subject)
{
    Code code = compile(pattern, options);
    if (!code)
        return std::nullopt;
    WorkBudget budget;
    MatchContext context = limited_match_context(budget);
    MatchData match_data(pcre2_match_data_create_from_pattern(code.get(), nullptr));
    if (!context || !match_data)
        return std::nullopt;

    // The copy is well formed, so PCRE2 need not check it: checking it on
    // every call would cost a pass over the subject per match.
    const std::u16string units = well_formed(subject);
    std::vector<MatchSpan> spans;
    std::size_t start = 0;
    while (start <= units.size()) {
        int rc = pcre2_match(code.get(), units_of(units), units.size(), start, PCRE2_NO_UTF_CHECK, match_data.get(),
                             context.get());
        if (rc == PCRE2_ERROR_NOMATCH)
            break;
        if (rc < 0)
            return std::nullopt;
        const PCRE2_SIZE* offsets = pcre2_get_ovector_pointer(match_data.get());
        MatchSpan span{offsets[0], offsets[1]};
        spans.push_back(span);
        if (!options.global)
            break;
        start = span.end > span.begin ? span.end : next_character(units, span.end);
    }
    return spans;
}

} // namespace fernwick::platform
