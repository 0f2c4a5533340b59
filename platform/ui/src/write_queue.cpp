#include "write_queue.h"

#include <QThread>

namespace fernwick::platform::ui {

void WriteQueue::post(std::function<void()> write)
{
    const bool on_gui_thread = QThread::currentThread() == thread();
    bool ask_gui_thread = false;
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(std::move(write));
        if (!on_gui_thread && !run_requested_)
            ask_gui_thread = run_requested_ = true;
    }
    if (on_gui_thread)
        run_pending();
    else if (ask_gui_thread)
        QMetaObject::invokeMethod(this, [this] { run_pending(); }, Qt::QueuedConnection);
}

// One write at a time, so a write whose effect posts more writes (a changed
// edit box runs its handler) keeps them behind the ones already waiting.
void WriteQueue::run_pending()
{
    for (;;) {
        std::function<void()> write;
        {
            std::lock_guard lock(mutex_);
            if (pending_.empty()) {
                run_requested_ = false;
                return;
            }
            write = std::move(pending_.front());
            pending_.pop_front();
        }
        write();
    }
}

} // namespace fernwick::platform::ui
