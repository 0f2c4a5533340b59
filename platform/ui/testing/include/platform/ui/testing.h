#pragma once

// What GUI tests need beyond the controls: running the GUI thread's events
// until something holds, and looking at the modal window a handler opens.

#include <functional>
#include <utility>
#include <vector>

#include "platform/text.h"

namespace fernwick::platform::ui::testing {

// Qt's offscreen platform, so tests need no display. Call before the
// application object is made.
void use_offscreen_platform();

// Runs the GUI thread's events until `done` holds; false when it still does
// not hold after a minute.
bool process_events_until(const std::function<bool()>& done);

enum class ModalKind { window, message_box, folder_picker };

// A modal window as the test saw it while it was open.
struct ModalWindow {
    ModalKind kind = ModalKind::window;
    Text title;
    bool always_on_top = false;
    std::vector<std::pair<Text, Text>> captions; // labels by control name, in creation order
    Text message;          // message box: its text
    bool has_icon = false; // message box: whether it shows an icon
    int button_count = 0;  // message box: its buttons
    bool folders_only = false; // folder picker: lists folders only
    bool has_path_field = false; // folder picker: a field to type a path in
};

// Once the next modal window shows, records it, then closes it as cancelled.
// Returns at once; the modal window's own loop does the rest.
void close_next_modal(std::function<void(const ModalWindow&)> record);

} // namespace fernwick::platform::ui::testing
