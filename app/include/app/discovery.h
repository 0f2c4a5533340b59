#pragma once

#include "app/app_state.h"
#include "app/main_window_view.h"

namespace fernwick {

// Asks the service for the uploader's profile and album list, appends every
// picture address to the picture list, stores their number as
// `picture_count_text` and shows the avatar, the name and the count.
void discover_album(AppState& state, MainWindowView& view, const Text& uploader_id);

// Shows the avatar fetched from its address, the name and "发现图片  " with the count.
void show_uploader(MainWindowView& view, const Text& avatar_address, const Text& name, const Text& count_text);

} // namespace fernwick
