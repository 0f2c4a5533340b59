#include "app/identification.h"

#include "app/discovery.h"
#include "http/text_helpers.h"
#include "platform/text_rules.h"
#include "regex/regex_matcher.h"

namespace fernwick {

void identify_uploader(AppState& state, MainWindowView& view)
{
    state.PictureUrlList.clear();
    view.set_caption(Control::标签1, "正在识别");
    state.uploader_id = uploader_id_of(view.text(Control::编辑框1));
    discover_album(state, view, state.uploader_id);
    view.set_caption(Control::标签1, "识别完毕");
}

Text uploader_id_of(const Text& address_text)
{
    if (text::contains(address_text, "from"))
        return extract_digits(text_before(address_text, "?from"));
    return extract_digits(address_text);
}

Text extract_digits(const Text& text)
{
    RegexMatcher matcher;
    matcher.compile_and_execute("[0-9]", text);
    Text digits;
    const int count = matcher.match_count();
    for (int i = 1; i <= count; ++i)
        digits += matcher.match_text(i);
    return digits;
}

} // namespace fernwick
