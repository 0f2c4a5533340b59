#include "regex/regex_matcher.h"

#include "platform/codepage.h"
#include "platform/text_rules.h"

namespace fernwick {

bool RegexMatcher::compile_and_execute(const Text& pattern, const Text& subject, bool case_sensitive,
                                       bool multi_line, bool global, bool quote_escapes)
{
    const bool ignore_case = !case_sensitive;
    engine_.reset();
    matches_.reset();
    platform::RegExp& engine = engine_.emplace();

    // Every property write may fail and is not checked. The engine has no
    // "Singleline", so that request is refused and changes nothing.
    engine.set_bool_property(u"IgnoreCase", ignore_case);
    engine.set_bool_property(u"Multiline", multi_line);
    engine.set_bool_property(u"Singleline", true);
    engine.set_bool_property(u"Global", global);
    const Text written = quote_escapes ? text::replace_all(pattern, "#引号", "\"") : pattern;
    engine.set_text_property(u"Pattern", platform::text_to_utf16(written));

    matches_ = engine.execute(platform::text_to_utf16(subject));
    subject_ = subject;
    return matches_.has_value();
}

int RegexMatcher::match_count() const
{
    return matches_ ? matches_->count() : 0;
}

Text RegexMatcher::match_text(int index) const
{
    if (!matches_ || index < 1)
        return {};
    const platform::RegExpMatch* match = matches_->item(index - 1);
    return match ? platform::text_from_utf16(match->value) : Text();
}

} // namespace fernwick
