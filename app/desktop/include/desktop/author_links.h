#pragma once

// The author's domain and the five addresses of the about window, in one
// place so that a release fills them in with one edit.

#include "platform/text.h"

namespace fernwick::desktop {

struct AuthorLinks {
    Text domain;         // shown in capitals after the author's name
    Text website;        // the site of that domain
    Text video_space;    // the author's space page on the video site
    Text chat_group;     // the page that joins the author's chat group
    Text microblog;      // the author's microblog page
    Text direct_chat;    // the page that opens a direct chat with the author
};

const AuthorLinks& author_links();

} // namespace fernwick::desktop
