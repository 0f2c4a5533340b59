#pragma once

// Windows and their controls over the desktop toolkit. Every caption and text
// is a Text; the layer converts at its edge. Controls are made from a
// description of each one (name, kind, parent and page, place, design-time
// text) and found again by name.
//
// Writes to a control's properties may come from any thread: they are
// delivered on the GUI thread in the order they were made. Writes still
// pending when a window is destroyed are dropped. Reads run on the GUI thread,
// except EditBox::text, which any thread may call.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "platform/text.h"

namespace fernwick::platform::ui {

enum class ControlKind { label, edit_box, button, picture_box, progress_bar, tab_control };

// Left, top, width and height in device-independent pixels.
struct Placement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlSpec {
    Text name{};
    ControlKind kind = ControlKind::label;
    Text parent{}; // a tab control's name, or empty for the window itself
    int page = 0;  // the tab control's page the control sits on
    Placement place{};
    Text text{};                            // design-time caption or content
    bool centred = false;                   // a label's caption stands in its middle
    std::vector<Text> pages{};              // a tab control's page captions
    std::span<const std::uint8_t> picture{}; // a picture box's design-time image
};

namespace detail {
struct ControlImpl;
}

class Label {
public:
    explicit Label(detail::ControlImpl& impl) : impl_(impl) {}
    void set_caption(const Text& caption);
    Text caption() const;
    void on_left_click(std::function<void()> handler);
    // Runs on the GUI thread after every caption write, with the caption, so
    // that a watcher sees each one even when the next follows at once.
    void on_caption_written(std::function<void(const Text&)> watcher);

private:
    detail::ControlImpl& impl_;
};

class EditBox {
public:
    explicit EditBox(detail::ControlImpl& impl) : impl_(impl) {}
    void set_text(const Text& text);
    Text text() const;
    // Runs on every change of the content, by the user or by set_text.
    void on_changed(std::function<void()> handler);

private:
    detail::ControlImpl& impl_;
};

class Button {
public:
    explicit Button(detail::ControlImpl& impl) : impl_(impl) {}
    Text caption() const;
    void on_clicked(std::function<void()> handler);
    // Presses the button as a user would.
    void click();

private:
    detail::ControlImpl& impl_;
};

class PictureBox {
public:
    explicit PictureBox(detail::ControlImpl& impl) : impl_(impl) {}
    // Encoded image bytes (PNG, JPEG, GIF, WebP...), shown scaled to fit with
    // their aspect ratio kept; empty or undecodable bytes clear the box.
    void set_picture(const ByteBuffer& image);
    bool has_picture() const;
    void on_left_click(std::function<void()> handler);

private:
    detail::ControlImpl& impl_;
};

class ProgressBar {
public:
    explicit ProgressBar(detail::ControlImpl& impl) : impl_(impl) {}
    // Kept within 0 to 100.
    void set_position(int position);
    int position() const;

private:
    detail::ControlImpl& impl_;
};

class TabControl {
public:
    explicit TabControl(detail::ControlImpl& impl) : impl_(impl) {}
    void set_page(int page);
    int page() const;

private:
    detail::ControlImpl& impl_;
};

class Window {
public:
    Window(const Text& caption, Placement place);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Adds a control beneath the ones added before it; a control with a
    // parent comes after that tab control.
    void add(const ControlSpec& row);

    // The control of that name and kind, which must have been added.
    Label label(const Text& name);
    EditBox edit_box(const Text& name);
    Button button(const Text& name);
    PictureBox picture_box(const Text& name);
    ProgressBar progress_bar(const Text& name);
    TabControl tab_control(const Text& name);

    Text caption() const;
    void set_icon(std::span<const std::uint8_t> image);
    void set_always_on_top(bool on_top);
    bool always_on_top() const;

    // Shows the window as the start-up window: closing it ends the program's
    // message loop.
    void show();
    bool visible() const;
    // Shows the window as a modal dialog and returns once it is closed.
    void run_modal();
    void close();

    // Renders the window as it looks now into a PNG file; false when it cannot be written.
    bool save_image(const Text& path) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace fernwick::platform::ui
