#include "desktop/author_links.h"

namespace fernwick::desktop {

// Reserved example domains until a release names the real pages.
const AuthorLinks& author_links()
{
    static const AuthorLinks links{
        .domain = "example.com",
        .website = "https://example.com/",
        .video_space = "https://example.org/space/morrowby",
        .chat_group = "https://example.org/group/join",
        .microblog = "https://example.net/microblog/morrowby",
        .direct_chat = "https://example.net/chat/morrowby",
    };
    return links;
}

} // namespace fernwick::desktop
