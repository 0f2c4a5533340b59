#include <optional>

#include "desktop/about_window.h"
#include "desktop_fixture.h"

namespace fernwick::desktop {
namespace {

using platform::ui::testing::close_next_modal;
using platform::ui::testing::ModalKind;
using platform::ui::testing::ModalWindow;

using AboutWindowTest = DesktopTest;

std::optional<Text> caption_of(const ModalWindow& window, const Text& name)
{
    for (const auto& [label, caption] : window.captions) {
        if (label == name)
            return caption;
    }
    return std::nullopt;
}

TEST_F(AboutWindowTest, OpensModalAndOnTopWithItsCaptions)
{
    std::unique_ptr<AppState> state = app_state_init();
    DownloadWorkers workers;
    MainWindow main_window(*state, workers);
    std::optional<ModalWindow> seen;
    close_next_modal([&seen](const ModalWindow& modal) { seen = modal; });
    main_window.window().button("按钮_打开关于作者窗口").click();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->kind, ModalKind::window);
    EXPECT_EQ(seen->title, Text("软件相关信息"));
    EXPECT_TRUE(seen->always_on_top);
    EXPECT_EQ(caption_of(*seen, "标签_软件版本"), Text("当前使用版本v1.0"));
    EXPECT_EQ(caption_of(*seen, "标签_日期"), Text("开发于2019.10.10"));
    EXPECT_EQ(caption_of(*seen, "标签_作者"), Text("开发者:Morrowby EXAMPLE.COM"));
    EXPECT_EQ(caption_of(*seen, "标签_联系"), Text("若侵犯了您的权益请联系我"));
    EXPECT_EQ(caption_of(*seen, "标签1"), Text("---------联系作者---------"));
}

TEST_F(AboutWindowTest, EachOpeningIsAFreshWindow)
{
    std::unique_ptr<AppState> state = app_state_init();
    DownloadWorkers workers;
    MainWindow main_window(*state, workers);
    int opened = 0;
    for (int i = 0; i < 2; ++i) {
        close_next_modal([&opened](const ModalWindow& modal) { opened += modal.title == Text("软件相关信息"); });
        main_window.window().button("按钮_打开关于作者窗口").click();
    }
    EXPECT_EQ(opened, 2);
}

} // namespace
} // namespace fernwick::desktop
