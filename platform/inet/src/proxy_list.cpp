#include "proxy_list.h"

#include "platform/text_rules.h"

namespace fernwick::platform {

std::string proxy_for_scheme(std::string_view proxy_list, std::string_view scheme)
{
    const Text entries = text::replace_all(proxy_list, ";", " ");
    const Text own_prefix = Text(scheme) + "=";
    std::string for_every_scheme;
    for (const Text& entry : text::split(entries, " ")) {
        if (entry.empty())
            continue;
        if (text::find(entry, own_prefix, 1, true) == 1)
            return std::string(text::mid(entry, own_prefix.length() + 1, entry.length()).view());
        if (for_every_scheme.empty() && !text::contains(entry, "="))
            for_every_scheme = entry.view();
    }
    return for_every_scheme;
}

} // namespace fernwick::platform
