#pragma once

// A main window for tests: it records every write, in order, as the
// control's name and the written value (a caption, a decimal number, or for
// a picture the decimal number of its bytes).

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_view.h"
#include "platform/text_rules.h"

namespace fernwick::testing_support {

struct ViewWrite {
    Text control;
    Text value;
    friend bool operator==(const ViewWrite&, const ViewWrite&) = default;
    friend void PrintTo(const ViewWrite& write, std::ostream* os)
    {
        *os << write.control.view().size() << "-byte control = " << std::string(write.value.view());
    }
};

class RecordingView final : public MainWindowView {
public:
    RecordingView(Text address = {}, Text folder = {}) : address_(std::move(address)), folder_(std::move(folder)) {}

    void set_caption(Control label, const Text& caption) override { record(label, caption); }
    void set_picture(Control box, const ByteBuffer& image) override
    {
        record(box, text::decimal(static_cast<long long>(image.size())));
    }
    void set_position(Control bar, int position) override { record(bar, text::decimal(position)); }
    void set_page(Control tab, int page) override { record(tab, text::decimal(page)); }
    Text text(Control box) const override
    {
        std::lock_guard lock(mutex_);
        return box == Control::编辑框1 ? address_ : box == Control::编辑框2 ? folder_ : Text();
    }

    void set_address(Text address)
    {
        std::lock_guard lock(mutex_);
        address_ = std::move(address);
    }

    std::vector<ViewWrite> writes() const
    {
        std::lock_guard lock(mutex_);
        return writes_;
    }

    // The writes made to one control, in order.
    std::vector<Text> values_of(Control control) const
    {
        std::vector<Text> values;
        for (const ViewWrite& write : writes()) {
            if (write.control == control_name(control))
                values.push_back(write.value);
        }
        return values;
    }

private:
    void record(Control control, Text value)
    {
        std::lock_guard lock(mutex_);
        writes_.push_back({control_name(control), std::move(value)});
    }

    mutable std::mutex mutex_;
    Text address_;
    Text folder_;
    std::vector<ViewWrite> writes_;
};

} // namespace fernwick::testing_support
