#include "desktop/about_window.h"

#include <vector>

#include "desktop/artwork.h"
#include "desktop/author_links.h"
#include "desktop/control_table.h"
#include "platform/text_rules.h"
#include "platform/ui/shell.h"

namespace fernwick::desktop {
namespace {

using platform::ui::ControlKind;

// Every control of the about window, in the order of the window definition.
const std::vector<ControlRow<AboutWindow>>& about_window_controls()
{
    static const std::vector<ControlRow<AboutWindow>> rows{
        {{.name = "图片框_B站", .kind = ControlKind::picture_box, .place = {168, 168, 40, 40}, .picture = link_video()},
         Event::left_button_pressed, &AboutWindow::open_video_space},
        {{.name = "图片框_Q群", .kind = ControlKind::picture_box, .place = {115, 168, 40, 40}, .picture = link_group()},
         Event::left_button_pressed, &AboutWindow::open_chat_group},
        {{.name = "图片框_微博", .kind = ControlKind::picture_box, .place = {62, 169, 40, 40}, .picture = link_microblog()},
         Event::left_button_pressed, &AboutWindow::open_microblog},
        {{.name = "图片框_QQ会话", .kind = ControlKind::picture_box, .place = {9, 170, 40, 40}, .picture = link_chat()},
         Event::left_button_pressed, &AboutWindow::open_direct_chat},
        {{.name = "标签1", .kind = ControlKind::label, .place = {0, 128, 220, 32}, .text = "---------联系作者---------",
          .centred = true}},
        {{.name = "标签_软件版本", .kind = ControlKind::label, .place = {0, 8, 220, 16}, .centred = true}},
        {{.name = "标签_日期", .kind = ControlKind::label, .place = {0, 40, 220, 16}, .centred = true}},
        {{.name = "标签_作者", .kind = ControlKind::label, .place = {0, 72, 220, 16}, .centred = true},
         Event::left_button_pressed, &AboutWindow::open_website},
        {{.name = "标签_联系", .kind = ControlKind::label, .place = {0, 104, 220, 16}, .centred = true}},
    };
    return rows;
}

} // namespace

AboutWindow::AboutWindow() : window_("软件相关信息", {50, 50, 220, 250})
{
    window_.set_icon(program_icon());
    build_controls<AboutWindow>(window_, about_window_controls(), *this);
    about_window_created();
}

void AboutWindow::about_window_created()
{
    window_.set_always_on_top(true);
    window_.label("标签_软件版本").set_caption("当前使用版本v1.0");
    window_.label("标签_日期").set_caption("开发于2019.10.10");
    window_.label("标签_作者").set_caption(Text("开发者:Morrowby ") + text::to_upper(author_links().domain));
    window_.label("标签_联系").set_caption("若侵犯了您的权益请联系我");
}

void AboutWindow::open_video_space()
{
    platform::ui::open_address(author_links().video_space);
}

void AboutWindow::open_chat_group()
{
    platform::ui::open_address(author_links().chat_group);
}

void AboutWindow::open_microblog()
{
    platform::ui::open_address(author_links().microblog);
}

void AboutWindow::open_direct_chat()
{
    platform::ui::open_address(author_links().direct_chat);
}

void AboutWindow::open_website()
{
    platform::ui::open_address(author_links().website);
}

} // namespace fernwick::desktop
