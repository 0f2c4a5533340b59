#pragma once

// The main window as fernwick-cli shows it: the two edit boxes hold what the
// command line gave, and every write of the logic reaches `report` with its
// value as text (a caption, a decimal position or page, or for a picture the
// decimal number of its bytes), one at a time, in the order they were made.

#include <mutex>

#include "app/main_window_view.h"

namespace fernwick::cli {

class CommandLineView : public MainWindowView {
public:
    CommandLineView(Text address, Text folder) : address_(std::move(address)), folder_(std::move(folder)) {}

    void set_caption(Control label, const Text& caption) override;
    void set_picture(Control picture_box, const ByteBuffer& image) override;
    void set_position(Control progress_bar, int position) override;
    void set_page(Control tab_control, int page) override;
    Text text(Control edit_box) const override;

protected:
    virtual void report(Control control, const Text& value) = 0;

private:
    void deliver(Control control, const Text& value);

    std::mutex mutex_;
    Text address_;
    Text folder_;
};

// Prints every write as CONTROL<TAB>VALUE.
class TraceView final : public CommandLineView {
public:
    using CommandLineView::CommandLineView;

protected:
    void report(Control control, const Text& value) override;
};

// Shows the uploader's name, the count and the download's progress: a live
// bar on a terminal, plain lines otherwise.
class ProgressView final : public CommandLineView {
public:
    ProgressView(Text address, Text folder);

protected:
    void report(Control control, const Text& value) override;

private:
    void draw_bar();

    bool terminal_;
    int position_ = 0;
    Text status_;
};

// Shows nothing.
class SilentView final : public CommandLineView {
public:
    using CommandLineView::CommandLineView;

protected:
    void report(Control, const Text&) override {}
};

} // namespace fernwick::cli
