#include "app/app_state.h"

#include "http/web_fetch.h"

namespace fernwick {

std::unique_ptr<AppState> app_state_init()
{
    auto state = std::make_unique<AppState>();
    state->inflater.initialise();
    use_inflater(&state->inflater);
    return state;
}

void app_state_release(std::unique_ptr<AppState>& state)
{
    if (!state)
        return;
    state->skin_data.clear();
    state->PictureUrlList.clear();
    state->uploader_id = Text();
    state->picture_count_text = Text();
    use_inflater(nullptr);
    // Destroying the record ends the skin holder (which leaves its module
    // mapped) and then the inflater, which releases zlib.
    state.reset();
}

} // namespace fernwick
