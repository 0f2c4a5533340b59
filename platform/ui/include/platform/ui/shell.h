#pragma once

// What the desktop offers the program besides windows: folders, the
// browser and a plain message box. All run on the GUI thread.

#include "platform/text.h"

namespace fernwick::platform::ui {

// A modal folder picker with this title that lists folders only and has a
// field to type a path in. The chosen folder's path, or the empty text when
// the user cancels.
Text pick_folder(const Text& title);

// The user's desktop folder as the desktop environment defines it; the home
// folder when there is no desktop folder; the empty text when neither is known.
Text desktop_folder();

// Hands the address to the user's browser. Whether that worked is not reported.
void open_address(const Text& address);

// A modal message box with a title, a text, one OK button and no icon.
void show_message(const Text& title, const Text& text);

} // namespace fernwick::platform::ui
