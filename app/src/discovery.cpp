#include "app/discovery.h"

#include "http/web_fetch.h"
#include "json/json_document.h"
#include "platform/text_rules.h"
#include "platform/url_reader.h"

namespace fernwick {
namespace {

constexpr const char* kUserInformationHost = "api.bilibili.com";
constexpr const char* kAlbumListHost = "api.vc.bilibili.com";

Text fetch_reply(Text address)
{
    return web_fetch_text(address);
}

} // namespace

void discover_album(AppState& state, MainWindowView& view, const Text& uploader_id)
{
    JsonDocument document;

    document.parseText(fetch_reply(Text("https://") + kUserInformationHost + "/x/space/acc/info?mid=" + uploader_id
                                   + "&jsonp=jsonp"));
    const Text avatar_address = document.getValue("data.face");
    const Text name = document.getValue("data.name");
    document.clear();

    document.parseText(fetch_reply(Text("https://") + kAlbumListHost + "/link_draw/v1/doc/doc_list?uid=" + uploader_id
                                   + "&page_num=0&page_size=9999&biz=all"));
    const int post_count = document.memberCount("data.items");
    int total = 0;
    for (int i = 1; i <= post_count; ++i) {
        const Text post = Text("data.items[") + text::decimal(i - 1) + "].pictures";
        const int picture_count = document.memberCount(post);
        total += picture_count;
        for (int j = 1; j <= picture_count; ++j)
            state.PictureUrlList.append(document.getValue(post + "[" + text::decimal(j - 1) + "].img_src"));
    }
    state.picture_count_text = text::decimal(total);
    document.clear();

    show_uploader(view, avatar_address, name, state.picture_count_text);
}

void show_uploader(MainWindowView& view, const Text& avatar_address, const Text& name, const Text& count_text)
{
    view.set_picture(Control::图片框3, platform::read_url(avatar_address));
    view.set_caption(Control::标签5, name);
    view.set_caption(Control::标签3, Text("发现图片  ") + count_text);
}

} // namespace fernwick
