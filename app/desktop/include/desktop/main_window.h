#pragma once

#include "app/app_state.h"
#include "app/download.h"
#include "desktop/desktop_view.h"
#include "platform/ui/window.h"

namespace fernwick::desktop {

// The main window "Fernwick", built from its control table, with its handlers.
class MainWindow {
public:
    MainWindow(AppState& state, DownloadWorkers& workers);
    // Stops and joins the download workers before the controls they write go.
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    platform::ui::Window& window() { return window_; }
    MainWindowView& view() { return view_; }

    // Handlers, as the control table names them.
    void main_window_created();
    void pick_save_folder();
    void open_about_window();
    void show_update_notice();
    void identify_uploader();
    void start_download();

private:
    AppState& state_;
    DownloadWorkers& workers_;
    platform::ui::Window window_;
    DesktopView view_{window_};
};

} // namespace fernwick::desktop
