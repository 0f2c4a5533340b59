// Draws both windows into PNG files for the README: fernwick_screenshots FOLDER.
// Run on the offscreen platform (the build target `screenshots` does).

#include <cstdio>

#include "app/app_state.h"
#include "app/download.h"
#include "desktop/about_window.h"
#include "desktop/main_window.h"
#include "desktop/program.h"
#include "platform/ui/application.h"

int main(int argc, char** argv)
{
    using namespace fernwick;
    platform::ui::Application application(argc, argv, desktop::kFontFamily, desktop::kFontPointSize);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const Text folder(argv[1]);
    std::unique_ptr<AppState> state = app_state_init();
    bool written = false;
    {
        DownloadWorkers workers;
        desktop::MainWindow main_window(*state, workers);
        // A neutral save folder instead of the machine's own desktop.
        main_window.window().edit_box("编辑框2").set_text("/home/user/Desktop/");
        main_window.window().show();
        desktop::AboutWindow about;
        about.window().show();
        written = main_window.window().save_image(folder + "/main-window.png")
            && about.window().save_image(folder + "/about-window.png");
    }
    app_state_release(state);
    if (!written)
        std::fprintf(stderr, "cannot write the pictures into %s\n", argv[1]);
    return written ? 0 : 1;
}
