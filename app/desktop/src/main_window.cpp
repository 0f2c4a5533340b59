#include "desktop/main_window.h"

#include <vector>

#include "app/identification.h"
#include "desktop/about_window.h"
#include "desktop/artwork.h"
#include "desktop/control_table.h"
#include "platform/ui/shell.h"

namespace fernwick::desktop {
namespace {

using platform::ui::ControlKind;

// Every control of the main window, in the order of the window definition.
// Controls on the tab control are placed within its page area.
const std::vector<ControlRow<MainWindow>>& main_window_controls()
{
    static const std::vector<ControlRow<MainWindow>> rows{
        {{.name = "按钮_打开关于作者窗口1", .kind = ControlKind::button, .place = {74, 205, 70, 15}, .text = "检查更新"},
         Event::clicked, &MainWindow::show_update_notice},
        {{.name = "按钮_打开关于作者窗口", .kind = ControlKind::button, .place = {1, 205, 70, 15}, .text = "关于软件"},
         Event::clicked, &MainWindow::open_about_window},
        {{.name = "标签3", .kind = ControlKind::label, .place = {175, 143, 104, 20}, .text = "还没发现图片  0"}},
        {{.name = "图片框1", .kind = ControlKind::picture_box, .place = {200, 88, 50, 50}, .picture = fern()}},
        {{.name = "标签5", .kind = ControlKind::label, .place = {15, 174, 90, 24}, .text = "蕨影 · 相册"}},
        {{.name = "图片框3", .kind = ControlKind::picture_box, .place = {7, 57, 100, 112}}},
        {{.name = "高级选择夹1", .kind = ControlKind::tab_control, .place = {6, 56, 360, 150}, .pages = {"首页", "下载"}}},
        {{.name = "进度条1", .kind = ControlKind::progress_bar, .parent = "高级选择夹1", .page = 1,
          .place = {122, 112, 232, 16}}},
        {{.name = "按钮2", .kind = ControlKind::button, .parent = "高级选择夹1", .page = 0, .place = {241, 115, 120, 32},
          .text = "开始下载"},
         Event::clicked, &MainWindow::start_download},
        {{.name = "按钮1", .kind = ControlKind::button, .parent = "高级选择夹1", .page = 0, .place = {312, 3, 48, 20},
          .text = "浏览"},
         Event::clicked, &MainWindow::pick_save_folder},
        {{.name = "编辑框2", .kind = ControlKind::edit_box, .parent = "高级选择夹1", .page = 0, .place = {104, 3, 202, 20},
          .text = "C:/a/b/c/df/"}},
        {{.name = "标签2", .kind = ControlKind::label, .place = {6, 0, 104, 20}, .text = "请输入URL地址"}},
        {{.name = "标签1", .kind = ControlKind::label, .place = {296, 26, 72, 15}, .text = " 等待URL输入"}},
        {{.name = "编辑框1", .kind = ControlKind::edit_box, .place = {6, 21, 360, 25}},
         Event::content_changed, &MainWindow::identify_uploader},
    };
    return rows;
}

} // namespace

MainWindow::MainWindow(AppState& state, DownloadWorkers& workers)
    : state_(state), workers_(workers), window_("Fernwick", {50, 50, 380, 250})
{
    window_.set_icon(program_icon());
    build_controls<MainWindow>(window_, main_window_controls(), *this);
    main_window_created();
}

MainWindow::~MainWindow()
{
    workers_.stop_all();
}

// The skin step comes before the save folder once the program carries a skin
// engine; today skin_module holds none, so there is nothing to apply.
void MainWindow::main_window_created()
{
    const Text desktop = platform::ui::desktop_folder();
    const bool ends_in_slash = !desktop.empty() && desktop.view().back() == '/';
    window_.edit_box("编辑框2").set_text(desktop.empty() || ends_in_slash ? desktop : desktop + "/");
}

void MainWindow::pick_save_folder()
{
    window_.edit_box("编辑框2").set_text(platform::ui::pick_folder("选择存放位置/默认桌面"));
}

void MainWindow::open_about_window()
{
    AboutWindow about;
    about.run();
}

void MainWindow::show_update_notice()
{
    platform::ui::show_message("无效的操作", "自动更新停用");
}

void MainWindow::identify_uploader()
{
    fernwick::identify_uploader(state_, view_);
}

void MainWindow::start_download()
{
    fernwick::start_download(state_, view_, workers_);
}

} // namespace fernwick::desktop
