#include "platform/regexp.h"

#include <algorithm>
#include <climits>

#include "pattern_search.h"

namespace fernwick::platform {

namespace {

char16_t ascii_lower(char16_t unit)
{
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

bool is_name(std::u16string_view given, std::u16string_view property)
{
    return std::ranges::equal(given, property, {}, ascii_lower, ascii_lower);
}

} // namespace

int RegExpMatchCollection::count() const
{
    return static_cast<int>(std::min<std::size_t>(matches_.size(), INT_MAX));
}

const RegExpMatch* RegExpMatchCollection::item(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return &matches_[static_cast<std::size_t>(index)];
}

bool RegExp::set_bool_property(std::u16string_view name, bool value)
{
    bool* flag = is_name(name, u"IgnoreCase") ? &ignore_case_
        : is_name(name, u"Multiline")         ? &multiline_
        : is_name(name, u"Global")            ? &global_
                                              : nullptr;
    if (flag == nullptr)
        return false;
    *flag = value;
    return true;
}

bool RegExp::set_text_property(std::u16string_view name, std::u16string_view value)
{
    if (!is_name(name, u"Pattern"))
        return false;
    pattern_ = value;
    return true;
}

std::optional<RegExpMatchCollection> RegExp::execute(std::u16string_view subject) const
{
    auto spans = search_pattern(pattern_, {.ignore_case = ignore_case_, .multiline = multiline_, .global = global_},
                                subject);
    if (!spans)
        return std::nullopt;
    std::vector<RegExpMatch> matches;
    matches.reserve(spans->size());
    for (MatchSpan span : *spans)
        matches.push_back({std::u16string(subject.substr(span.begin, span.end - span.begin))});
    return RegExpMatchCollection(std::move(matches));
}

} // namespace fernwick::platform
