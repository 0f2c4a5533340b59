#pragma once

#include "platform/ui/window.h"

namespace fernwick::desktop {

// The about window "软件相关信息", built from its control table; the
// created handler has run when the constructor returns.
class AboutWindow {
public:
    AboutWindow();

    platform::ui::Window& window() { return window_; }
    // Shows the window as a modal dialog until the user closes it.
    void run() { window_.run_modal(); }

    // Handlers, as the control table names them.
    void about_window_created();
    void open_video_space();
    void open_chat_group();
    void open_microblog();
    void open_direct_chat();
    void open_website();

private:
    platform::ui::Window window_;
};

} // namespace fernwick::desktop
