#pragma once

// The program's own text operations. Every routine that searches, cuts,
// trims or splits a Text goes through these, so they all share one set of
// rules:
// - positions are 1-based byte positions; a search that finds nothing gives -1;
// - a search steps over a double-byte character (a byte of 0x80 or above
//   together with the byte after it) as one unit, so a match never begins on
//   the second byte of such a character;
// - ignoring case folds the ASCII letters only;
// - trimming removes ASCII spaces and full-width spaces (0xA1 0xA1) only.

#include <string_view>

#include "platform/list.h"
#include "platform/text.h"

namespace fernwick::text {

// True for a byte that starts a double-byte character.
constexpr bool is_lead_byte(unsigned char byte) { return byte >= 0x80; }

// First occurrence of `needle` that begins at or after `start` (1 or less
// means the beginning). The empty needle gives 1 in a non-empty text.
int find(std::string_view text, std::string_view needle, int start = 1, bool ignore_case = false);
// Last occurrence of `needle` in the whole text.
int find_last(std::string_view text, std::string_view needle, bool ignore_case = false);
bool contains(std::string_view text, std::string_view needle, bool ignore_case = false);
bool equals_ignoring_case(std::string_view a, std::string_view b);

// The first or last n bytes; all of the text when n reaches its length, the
// empty text when n is 0 or less.
Text left(std::string_view text, int n);
Text right(std::string_view text, int n);
// Up to n bytes from the 1-based position p; empty when p lies outside
// 1..length or n is 0 or less.
Text mid(std::string_view text, int p, int n);

Text trim(std::string_view text);
Text trim_left(std::string_view text);
Text trim_right(std::string_view text);
// Deletes every ASCII and every full-width space wherever it stands.
Text remove_spaces(std::string_view text);

Text to_lower(std::string_view text);
Text to_upper(std::string_view text);

// Every occurrence of `from`, found by the search rule and taken left to
// right without overlapping, replaced by `to`. An empty `from` changes nothing.
Text replace_all(std::string_view text, std::string_view from, std::string_view to, bool ignore_case = false);

// The pieces between the separators, in order. An empty piece between two
// separators, or before the first, is a member; an empty piece after a final
// separator is not; the empty text gives no pieces. Without an occurrence of
// the separator (or with an empty separator) the whole text is the one piece.
TextList split(std::string_view text, std::string_view separator);

// The decimal text of a number, without leading zeros.
Text decimal(long long value);

// The decimal number a text begins with, as the C library's atoi reads it:
// leading white space and one sign are allowed; no digit gives 0. Values
// beyond the 32-bit range saturate.
int leading_int(std::string_view text);

} // namespace fernwick::text
