#pragma once

// The desktop toolkit's application object: one per program, made on the
// main thread before any window, alive until the last window is gone.

#include <memory>

#include "platform/text.h"

namespace fernwick::platform::ui {

class Application {
public:
    // `font_family` and `point_size` become every window's font.
    Application(int& argc, char** argv, const Text& font_family, int point_size);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the message loop until the start-up window closes; returns 0.
    int run();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace fernwick::platform::ui
