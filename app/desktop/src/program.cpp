#include "desktop/program.h"

#include "app/app_state.h"
#include "app/download.h"
#include "desktop/main_window.h"
#include "platform/ui/application.h"

namespace fernwick::desktop {
namespace {

// Runs when the program ends, however run_program leaves: no worker may
// still read the state when it is released.
class ReleaseAtEnd {
public:
    ReleaseAtEnd(std::unique_ptr<AppState>& state, DownloadWorkers& workers) : state_(state), workers_(workers) {}
    ~ReleaseAtEnd()
    {
        workers_.stop_all();
        app_state_release(state_);
    }
    ReleaseAtEnd(const ReleaseAtEnd&) = delete;
    ReleaseAtEnd& operator=(const ReleaseAtEnd&) = delete;

private:
    std::unique_ptr<AppState>& state_;
    DownloadWorkers& workers_;
};

} // namespace

int run_program(int& argc, char** argv)
{
    platform::ui::Application application(argc, argv, kFontFamily, kFontPointSize);
    std::unique_ptr<AppState> state = app_state_init();
    DownloadWorkers workers;
    ReleaseAtEnd release(state, workers);
    // The skin engine would be mapped here; the program carries none yet, so
    // skin_module stays empty.
    MainWindow main_window(*state, workers);
    main_window.window().show();
    return application.run();
}

} // namespace fernwick::desktop
