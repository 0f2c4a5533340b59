#include "command_line_view.h"

#include <cstdio>
#include <unistd.h>

#include "platform/text_rules.h"
#include "terminal.h"

namespace fernwick::cli {

void CommandLineView::set_caption(Control label, const Text& caption)
{
    deliver(label, caption);
}

void CommandLineView::set_picture(Control picture_box, const ByteBuffer& image)
{
    deliver(picture_box, text::decimal(static_cast<long long>(image.size())));
}

void CommandLineView::set_position(Control progress_bar, int position)
{
    deliver(progress_bar, text::decimal(position));
}

void CommandLineView::set_page(Control tab_control, int page)
{
    deliver(tab_control, text::decimal(page));
}

Text CommandLineView::text(Control edit_box) const
{
    return edit_box == Control::编辑框1 ? address_ : edit_box == Control::编辑框2 ? folder_ : Text();
}

void CommandLineView::deliver(Control control, const Text& value)
{
    std::lock_guard lock(mutex_);
    report(control, value);
    std::fflush(stdout);
}

void TraceView::report(Control control, const Text& value)
{
    print(control_name(control) + "\t" + value + "\n");
}

ProgressView::ProgressView(Text address, Text folder)
    : CommandLineView(std::move(address), std::move(folder)), terminal_(::isatty(STDOUT_FILENO) == 1)
{
}

void ProgressView::draw_bar()
{
    constexpr int kWidth = 30;
    const int filled = position_ * kWidth / 100;
    print(Text("\r[") + Text::repeated('#', filled) + Text::repeated('-', kWidth - filled) + "] "
          + text::decimal(position_) + "%  " + status_ + "\x1b[K");
}

void ProgressView::report(Control control, const Text& value)
{
    switch (control) {
    case Control::标签5:
        print(value + "\n");
        return;
    case Control::进度条1:
        position_ = text::leading_int(value);
        if (terminal_)
            draw_bar();
        return;
    case Control::标签3:
        status_ = value;
        if (!terminal_) {
            print(value + "\n");
        } else if (text::find(value, "正在下载") == 1) {
            draw_bar();
        } else {
            // The count after discovery and the closing caption stand on lines of their own.
            print(Text("\r\x1b[K") + value + "\n");
        }
        return;
    default:
        return;
    }
}

} // namespace fernwick::cli
