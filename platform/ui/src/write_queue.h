#pragma once

// The property writes of one window, in the order they were made, from any
// thread. On the GUI thread a write runs at once, after every write queued
// before it; from another thread it waits in the queue and the GUI thread is
// asked to run the queue. Requests left when the queue is destroyed are
// dropped with it, so a late write never reaches a destroyed widget.

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

namespace fernwick::platform::ui {

class WriteQueue : public QObject {
public:
    void post(std::function<void()> write);

private:
    void run_pending();

    std::mutex mutex_;
    std::deque<std::function<void()>> pending_;
    bool run_requested_ = false;
};

} // namespace fernwick::platform::ui
