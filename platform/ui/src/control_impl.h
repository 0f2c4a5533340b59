#pragma once

#include <QWidget>
#include <functional>
#include <mutex>

#include "platform/ui/window.h"
#include "write_queue.h"

namespace fernwick::platform::ui::detail {

// One control: its widget (owned by the window's widget tree), the queue its
// writes go through, and its event handler.
struct ControlImpl {
    ControlKind kind;
    QWidget* widget;
    WriteQueue& queue;
    std::function<void()> handler;
    // An edit box's content as of its last change, readable from any thread.
    mutable std::mutex content_mutex;
    Text content;
};

} // namespace fernwick::platform::ui::detail
