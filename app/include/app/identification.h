#pragma once

#include "app/app_state.h"
#include "app/main_window_view.h"

namespace fernwick {

// Runs whenever the address box changes: empties the picture list, keeps the
// digits of the box's text (cut before "?from" when it holds "from") as
// `uploader_id`, and runs album discovery for it.
void identify_uploader(AppState& state, MainWindowView& view);

// The uploader's identifier in a text: its digits, after cutting the text
// before "?from" when it contains "from" anywhere.
Text uploader_id_of(const Text& address_text);

// Every ASCII digit of the text, in order; the empty text when there is none.
Text extract_digits(const Text& text);

} // namespace fernwick
