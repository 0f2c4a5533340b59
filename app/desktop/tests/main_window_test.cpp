#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <unistd.h>

#include "desktop/artwork.h"
#include "desktop_fixture.h"
#include "fake_service.h"
#include "test_support/http_server.h"
#include "test_support/printing.h"

namespace fernwick::desktop {
namespace {

using app_testing::FakeService;
using platform::ui::testing::close_next_modal;
using platform::ui::testing::ModalKind;
using platform::ui::testing::ModalWindow;
using platform::ui::testing::process_events_until;
using testing_support::http_response;
namespace fs = std::filesystem;

std::string file_content(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh, empty folder named after the running test.
fs::path fresh_folder()
{
    fs::path folder = fs::temp_directory_path() / ("fernwick-desktop-" + std::to_string(::getpid()) + "-"
                                                   + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

class MainWindowTest : public DesktopTest {
protected:
    MainWindowTest()
    {
        // The avatar is a real picture, so the box can show it.
        const auto icon = program_icon();
        service.pictures().respond("/face.png", {http_response("HTTP/1.1 200 OK", {"Content-Type: image/png"},
                                                               std::string(icon.begin(), icon.end()))});
        service.set_profile("Fern");
        window.window().edit_box("编辑框2").set_text(Text(folder.string()));
    }
    ~MainWindowTest() override { fs::remove_all(folder); }

    platform::ui::Window& controls() { return window.window(); }
    Text caption(const Text& label) { return controls().label(label).caption(); }

    fs::path folder = fresh_folder();
    FakeService service;
    std::unique_ptr<AppState> state = app_state_init();
    DownloadWorkers workers;
    MainWindow window{*state, workers};
};

TEST_F(MainWindowTest, StartsWithTheDesignTexts)
{
    EXPECT_EQ(controls().caption(), Text("Fernwick"));
    EXPECT_EQ(caption("标签1"), Text(" 等待URL输入"));
    EXPECT_EQ(caption("标签2"), Text("请输入URL地址"));
    EXPECT_EQ(caption("标签3"), Text("还没发现图片  0"));
    EXPECT_EQ(controls().button("按钮2").caption(), Text("开始下载"));
    EXPECT_EQ(controls().tab_control("高级选择夹1").page(), 0);
    EXPECT_EQ(controls().progress_bar("进度条1").position(), 0);
    EXPECT_FALSE(controls().picture_box("图片框3").has_picture());
    EXPECT_TRUE(controls().picture_box("图片框1").has_picture());
}

TEST_F(MainWindowTest, PastingASpaceAddressIdentifiesTheUploader)
{
    service.set_album({2, 1});
    std::vector<Text> status;
    controls().label("标签1").on_caption_written([&status](const Text& caption) { status.push_back(caption); });
    controls().edit_box("编辑框1").set_text("https://space.bilibili.com/777?from=search");
    EXPECT_EQ(status, (std::vector<Text>{"正在识别", "识别完毕"}));
    EXPECT_TRUE(controls().picture_box("图片框3").has_picture());
    EXPECT_EQ(caption("标签5"), Text("Fern"));
    EXPECT_EQ(caption("标签3"), Text("发现图片  3"));
    EXPECT_EQ(state->uploader_id, Text("777"));
}

TEST_F(MainWindowTest, StartDownloadWritesTheAlbumAndShowsProgress)
{
    service.set_album({3, 1});
    controls().edit_box("编辑框1").set_text("https://space.bilibili.com/777");
    std::vector<int> pages;
    std::vector<int> positions;
    controls().label("标签3").on_caption_written([&](const Text&) {
        pages.push_back(controls().tab_control("高级选择夹1").page());
        positions.push_back(controls().progress_bar("进度条1").position());
    });
    controls().button("按钮2").click();
    EXPECT_EQ(controls().tab_control("高级选择夹1").page(), 1);
    ASSERT_TRUE(process_events_until([&] { return caption("标签3") == Text("下载完毕  4"); }));
    EXPECT_EQ(controls().tab_control("高级选择夹1").page(), 0);
    EXPECT_EQ(controls().progress_bar("进度条1").position(), 100);
    // Each caption after a written picture sees the bar of the picture before it.
    EXPECT_EQ(positions, (std::vector<int>{0, 0, 25, 50, 75, 100}));
    EXPECT_EQ(pages, (std::vector<int>{1, 1, 1, 1, 1, 0}));
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(file_content(folder / (std::to_string(i) + ".jpg")), FakeService::picture_bytes(i)) << i;
}

TEST_F(MainWindowTest, CheckForUpdatesShowsOnlyTheNotice)
{
    std::optional<ModalWindow> seen;
    close_next_modal([&seen](const ModalWindow& modal) { seen = modal; });
    controls().button("按钮_打开关于作者窗口1").click();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->kind, ModalKind::message_box);
    EXPECT_EQ(seen->title, Text("无效的操作"));
    EXPECT_EQ(seen->message, Text("自动更新停用"));
    EXPECT_FALSE(seen->has_icon);
    EXPECT_EQ(seen->button_count, 1);
    EXPECT_TRUE(service.api().requests().empty());
    EXPECT_EQ(caption("标签1"), Text(" 等待URL输入"));
    EXPECT_EQ(caption("标签3"), Text("还没发现图片  0"));
    EXPECT_EQ(controls().edit_box("编辑框2").text(), Text(folder.string()));
}

TEST_F(MainWindowTest, ACancelledFolderPickerEmptiesTheSaveFolder)
{
    std::optional<ModalWindow> seen;
    close_next_modal([&seen](const ModalWindow& modal) { seen = modal; });
    controls().button("按钮1").click();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->kind, ModalKind::folder_picker);
    EXPECT_EQ(seen->title, Text("选择存放位置/默认桌面"));
    EXPECT_TRUE(seen->folders_only);
    EXPECT_TRUE(seen->has_path_field);
    EXPECT_EQ(controls().edit_box("编辑框2").text(), Text());
}

TEST_F(MainWindowTest, ClosingTheWindowDuringADownloadEndsCleanly)
{
    service.set_album({3});
    // The second picture announces more bytes than it sends and then stalls.
    service.set_picture(2, {"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\npartial", testing_support::Ending::hold_open});
    controls().edit_box("编辑框1").set_text("777");
    controls().show();
    controls().button("按钮2").click();
    ASSERT_TRUE(process_events_until([&] { return caption("标签3") == Text("正在下载  1/3"); }));
    ASSERT_TRUE(process_events_until([&] { return service.pictures().requests().size() >= 3; }));
    controls().close();
    EXPECT_FALSE(controls().visible());
    workers.stop_all();
    EXPECT_FALSE(fs::exists(folder / "2.jpg"));
    EXPECT_EQ(controls().tab_control("高级选择夹1").page(), 1);
}

// Where the save folder starts: the desktop folder, or home without one.
struct DesktopCase {
    const char* name;
    bool has_desktop_folder;
    const char* expected_below_home; // what follows the home folder in 编辑框2
    friend void PrintTo(const DesktopCase& c, std::ostream* os) { *os << testing_support::escaped(c.name); }
};

class SaveFolderAtStart : public DesktopTest, public testing::WithParamInterface<DesktopCase> {
protected:
    SaveFolderAtStart()
    {
        if (const char* home = std::getenv("HOME"))
            saved_home_ = home;
        ::setenv("HOME", home_.c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
    }
    ~SaveFolderAtStart() override
    {
        if (saved_home_)
            ::setenv("HOME", saved_home_->c_str(), 1);
        fs::remove_all(home_);
    }

    fs::path home_ = fresh_folder();
    std::optional<std::string> saved_home_;
};

TEST_P(SaveFolderAtStart, EndsInASlash)
{
    if (GetParam().has_desktop_folder)
        fs::create_directory(home_ / "Desktop");
    std::unique_ptr<AppState> state = app_state_init();
    DownloadWorkers workers;
    MainWindow window(*state, workers);
    EXPECT_EQ(window.window().edit_box("编辑框2").text(), Text(home_.string() + GetParam().expected_below_home));
}

INSTANTIATE_TEST_SUITE_P(Desktop, SaveFolderAtStart,
                         testing::Values(DesktopCase{"DesktopFolder", true, "/Desktop/"},
                                         DesktopCase{"HomeWithoutDesktop", false, "/"}),
                         [](const testing::TestParamInfo<DesktopCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace fernwick::desktop
