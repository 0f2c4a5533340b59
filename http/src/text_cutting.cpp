#include "http/text_helpers.h"

#include "platform/text_rules.h"

namespace fernwick {

namespace {

// Callers write a double quote inside a marker as this placeholder.
constexpr const char* kQuotePlaceholder = "#引号";

Text with_quotes(const Text& marker)
{
    return text::replace_all(marker, kQuotePlaceholder, "\"");
}

} // namespace

Text text_before(const Text& text, const Text& separator, int start, bool ignore_case)
{
    int found = text::find(text, separator, start < 1 ? 1 : start, ignore_case);
    if (found == -1)
        return {};
    return text::left(text, found - 1);
}

Text text_between(const Text& text, const Text& start_marker, const Text& end_marker, int start, bool ignore_case)
{
    Text opening = with_quotes(start_marker);
    Text closing = with_quotes(end_marker);
    int opening_at = text::find(text, opening, start, ignore_case);
    if (opening_at == -1)
        return {};
    int begin = opening_at + opening.length();
    int end = text::find(text, closing, begin, ignore_case);
    if (end == -1)
        return {};
    return text::mid(text, begin, end - begin);
}

Text text_after_colon(const Text& text)
{
    int colon = text::find(text, ":");
    if (colon == -1)
        return {};
    return text::trim(text::mid(text, colon + 1, text.length()));
}

} // namespace fernwick
