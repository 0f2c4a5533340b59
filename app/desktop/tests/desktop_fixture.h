#pragma once

// One toolkit application for the GUI tests of a process, on the offscreen
// platform, and the program's state and main window for each test.

#include <gtest/gtest.h>
#include <memory>

#include "app/app_state.h"
#include "app/download.h"
#include "desktop/main_window.h"
#include "desktop/program.h"
#include "platform/ui/application.h"
#include "platform/ui/testing.h"

namespace fernwick::desktop {

class DesktopTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        platform::ui::testing::use_offscreen_platform();
        static int argc = 1;
        static char name[] = "desktop_tests";
        static char* argv[] = {name, nullptr};
        application_ = new platform::ui::Application(argc, argv, kFontFamily, kFontPointSize);
    }
    static void TearDownTestSuite()
    {
        delete application_;
        application_ = nullptr;
    }

private:
    inline static platform::ui::Application* application_ = nullptr;
};

} // namespace fernwick::desktop
