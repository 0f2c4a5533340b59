#pragma once

// The program-wide state: the picture list of the last discovery and what
// belongs with it, and the objects that hold the program's modules.

#include <memory>

#include "inflate/inflater.h"
#include "modules/memory_library.h"
#include "platform/list.h"
#include "platform/text.h"

namespace fernwick {

struct AppState {
    TextList PictureUrlList;     // one picture address per member, in album order
    Text uploader_id;            // decimal digits only, possibly empty
    Text picture_count_text;     // the number of pictures of the last discovery
    Inflater inflater;           // decodes compressed response bodies
    MemoryLibrary skin_module;   // the skin engine, when one is mapped
    ByteBuffer skin_data;        // the copy of the skin handed to the skin engine
};

// Creates the state: empty list and texts, and an inflater that is
// initialised at once and used by every request from then on.
std::unique_ptr<AppState> app_state_init();

// Releases the state in its fixed order: the skin copy, the skin holder (the
// module itself stays mapped), the picture list, the two texts, and last the
// inflater. Download runs must have ended before.
void app_state_release(std::unique_ptr<AppState>& state);

} // namespace fernwick
