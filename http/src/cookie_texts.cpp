#include "http/text_helpers.h"

#include <set>

#include "platform/text_rules.h"

namespace fernwick {

namespace {

constexpr const char* kCookieSeparator = "; ";
constexpr const char* kDeletedSuffix = "=deleted";

} // namespace

Text cookie_name(const Text& entry)
{
    int equals = text::find(entry, "=");
    return text::trim(equals == -1 ? entry : text::left(entry, equals - 1));
}

bool cookie_list_has_name(const TextList& entries, const Text& name)
{
    for (const Text& entry : entries) {
        if (cookie_name(entry) == name)
            return true;
    }
    return false;
}

int text_list_index(const TextList& list, const Text& item)
{
    for (int index = 1; index <= list.count(); ++index) {
        if (list.at(index) == item)
            return index;
    }
    return -1;
}

Text text_list_dedupe(const Text& text, const Text& separator)
{
    std::set<Text> seen;
    Text joined;
    for (const Text& piece : text::split(text, separator)) {
        if (seen.insert(piece).second)
            joined += piece + separator;
    }
    return text::left(joined, joined.length() - separator.length());
}

Text cookie_merge(Text& sent, Text& received)
{
    sent = text::remove_spaces(sent);
    received = text::remove_spaces(received);
    TextList merged = text::split(received, ";");

    // The names in `merged`, kept alongside it so that long cookie texts
    // merge without comparing every pair of entries.
    std::set<Text> names;
    for (const Text& entry : merged)
        names.insert(cookie_name(entry));
    for (const Text& entry : text::split(sent, ";")) {
        if (names.insert(cookie_name(entry)).second)
            merged.append(entry);
    }

    Text joined;
    for (const Text& entry : merged) {
        if (text::right(entry, 8) != kDeletedSuffix)
            joined += entry + kCookieSeparator;
    }
    sent = text_list_dedupe(text::left(joined, joined.length() - 2), kCookieSeparator);
    return sent;
}

} // namespace fernwick
