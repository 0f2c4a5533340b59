#pragma once

// Runs a regular expression over a text and hands out the matches one by
// one; uploader identification collects the digits of an address with it.
// Calling order: compile_and_execute, match_count, match_text for 1 to the
// count. Nothing here reports an error: whatever fails reads as no matches.

#include <optional>

#include "platform/regexp.h"
#include "platform/text.h"

namespace fernwick {

class RegexMatcher {
public:
    // The engine needs no per-thread initialisation, so a matcher starts
    // with nothing compiled and nothing matched.
    RegexMatcher() = default;
    RegexMatcher(const RegexMatcher&) = delete;
    RegexMatcher& operator=(const RegexMatcher&) = delete;

    // Compiles the pattern on a new engine and runs it over the subject,
    // releasing what the previous call left. With `quote_escapes`, every
    // "#引号" of the pattern stands for a double quote. True when the
    // engine returned a match collection; false for a pattern that does not
    // compile or a search that exceeds the engine's work limits.
    bool compile_and_execute(const Text& pattern, const Text& subject, bool case_sensitive = false,
                             bool multi_line = true, bool global = true, bool quote_escapes = false);

    // The number of matches of the last execution; 0 without a collection.
    int match_count() const;
    // The text of the match at a 1-based index; empty when there is none.
    Text match_text(int index) const;
    // The subject of the last execution.
    const Text& subject() const { return subject_; }

private:
    std::optional<platform::RegExp> engine_;
    std::optional<platform::RegExpMatchCollection> matches_;
    Text subject_;
};

} // namespace fernwick
