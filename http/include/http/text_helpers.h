#pragma once

// Small, stateless routines that take request addresses and header texts
// apart and merge cookie texts. They never fail: every input has a result.
// Positions are 1-based byte positions, as in every text operation of the
// program.

#include "platform/list.h"
#include "platform/text.h"

namespace fernwick {

// The text left of the first `separator` found from `start` (0 or less
// counts as 1); the empty text when the separator does not occur.
Text text_before(const Text& text, const Text& separator, int start = 1, bool ignore_case = false);

// The text after the first `start_marker` found from `start`, up to the
// `end_marker` that follows it; the empty text when either is missing. A
// marker writes a double quote as "#引号".
Text text_between(const Text& text, const Text& start_marker, const Text& end_marker, int start = 1,
                  bool ignore_case = false);

// Everything after the first ":", trimmed; empty without a colon.
Text text_after_colon(const Text& text);

// The lowercased host of an address, up to the first "/" after its scheme;
// with `keep_port` an explicit ":PORT" stays on it.
Text url_host(const Text& address, bool keep_port = false);
// The explicit port of an address, else 443 for https and 80 otherwise.
int url_port(const Text& address);
// The path and query of an address in its own letter case, "/" when it has none.
Text url_path(const Text& address);

// Merges the cookies a response set (`received`) with those that were sent:
// the received entries first, then the sent ones whose names the response
// did not set; entries ending in "=deleted" are dropped and exact repeats
// appear once, joined by "; ". Both arguments lose their spaces, and `sent`
// is rewritten with the merged text, which is also the result.
Text cookie_merge(Text& sent, Text& received);
// The part of a cookie entry before its first "=", trimmed.
Text cookie_name(const Text& entry);
bool cookie_list_has_name(const TextList& entries, const Text& name);

// The pieces of `text` between separators with later repeats dropped,
// joined by the separator again.
Text text_list_dedupe(const Text& text, const Text& separator);
// The 1-based index of the first member equal to `item`, -1 when none is.
int text_list_index(const TextList& list, const Text& item);

} // namespace fernwick
