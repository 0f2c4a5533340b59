#pragma once

#include "app/main_window_view.h"
#include "platform/ui/window.h"

namespace fernwick::desktop {

// The main window's controls as identification, discovery and the download
// worker see them. Writes may come from any thread (the window's controls
// deliver them on the GUI thread); the window must outlive every writer.
class DesktopView final : public MainWindowView {
public:
    explicit DesktopView(platform::ui::Window& window) : window_(window) {}

    void set_caption(Control label, const Text& caption) override;
    void set_picture(Control picture_box, const ByteBuffer& image) override;
    void set_position(Control progress_bar, int position) override;
    void set_page(Control tab_control, int page) override;
    Text text(Control edit_box) const override;

private:
    platform::ui::Window& window_;
};

} // namespace fernwick::desktop
