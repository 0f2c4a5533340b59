#include "desktop/desktop_view.h"

namespace fernwick::desktop {

void DesktopView::set_caption(Control label, const Text& caption)
{
    window_.label(control_name(label)).set_caption(caption);
}

void DesktopView::set_picture(Control picture_box, const ByteBuffer& image)
{
    window_.picture_box(control_name(picture_box)).set_picture(image);
}

void DesktopView::set_position(Control progress_bar, int position)
{
    window_.progress_bar(control_name(progress_bar)).set_position(position);
}

void DesktopView::set_page(Control tab_control, int page)
{
    window_.tab_control(control_name(tab_control)).set_page(page);
}

Text DesktopView::text(Control edit_box) const
{
    return window_.edit_box(control_name(edit_box)).text();
}

} // namespace fernwick::desktop
