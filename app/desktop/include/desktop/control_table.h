#pragma once

// A window as a table of its controls: each row describes one control and
// names the event that runs one of the owner's handlers.

#include <span>

#include "platform/ui/window.h"

namespace fernwick::desktop {

enum class Event { none, clicked, content_changed, left_button_pressed };

template <class Owner>
struct ControlRow {
    platform::ui::ControlSpec control;
    Event event = Event::none;
    void (Owner::*handler)() = nullptr;
};

// Connects one event of a control to a handler; the control's kind decides
// which of its events that is.
void connect_event(platform::ui::Window& window, const platform::ui::ControlSpec& control, Event event,
                   std::function<void()> handler);

// Adds every control of the table to the window and connects its event.
template <class Owner>
void build_controls(platform::ui::Window& window, std::span<const ControlRow<Owner>> rows, Owner& owner)
{
    for (const ControlRow<Owner>& row : rows)
        window.add(row.control);
    for (const ControlRow<Owner>& row : rows) {
        if (row.event != Event::none)
            connect_event(window, row.control, row.event, [&owner, handler = row.handler] { (owner.*handler)(); });
    }
}

} // namespace fernwick::desktop
