#include "desktop/control_table.h"

namespace fernwick::desktop {

using platform::ui::ControlKind;

void connect_event(platform::ui::Window& window, const platform::ui::ControlSpec& control, Event event,
                   std::function<void()> handler)
{
    switch (event) {
    case Event::none:
        return;
    case Event::clicked:
        window.button(control.name).on_clicked(std::move(handler));
        return;
    case Event::content_changed:
        window.edit_box(control.name).on_changed(std::move(handler));
        return;
    case Event::left_button_pressed:
        if (control.kind == ControlKind::picture_box)
            window.picture_box(control.name).on_left_click(std::move(handler));
        else
            window.label(control.name).on_left_click(std::move(handler));
        return;
    }
}

} // namespace fernwick::desktop
