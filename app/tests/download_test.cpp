#include "app/download.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>

#include "app/identification.h"
#include "fake_service.h"
#include "recording_view.h"

namespace fernwick {
namespace {

using app_testing::FakeService;
using testing_support::http_response;
using testing_support::RecordingView;
using testing_support::ViewWrite;
namespace fs = std::filesystem;

std::string file_content(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh, empty folder named after the running test.
fs::path fresh_folder()
{
    fs::path folder = fs::temp_directory_path() / ("fernwick-download-" + std::to_string(::getpid()) + "-"
                                                   + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

class Download : public testing::Test {
protected:
    ~Download() override
    {
        workers.stop_all();
        fs::remove_all(folder);
    }

    // Identification for the address in the box, then a whole run.
    void identify_and_download()
    {
        identify_uploader(*state, view);
        start_download(*state, view, workers);
        workers.wait_all();
    }

    // The writes from the start of the download on.
    std::vector<ViewWrite> download_writes() const
    {
        std::vector<ViewWrite> all = view.writes();
        auto start = std::find(all.begin(), all.end(), ViewWrite{"高级选择夹1", "1"});
        return {start, all.end()};
    }

    fs::path folder = fresh_folder();
    FakeService service;
    std::unique_ptr<AppState> state = app_state_init();
    RecordingView view{"https://space.bilibili.com/777", Text(folder.string())};
    DownloadWorkers workers;
};

TEST_F(Download, WritesEveryPictureAsANumberedFileAndShowsProgress)
{
    service.set_album({3, 2});
    identify_and_download();
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(file_content(folder / (std::to_string(i) + ".jpg")), FakeService::picture_bytes(i)) << i;
    EXPECT_EQ(download_writes(), (std::vector<ViewWrite>{{"高级选择夹1", "1"},
                                                         {"标签3", "正在下载  1/5"},
                                                         {"标签3", "正在下载  1/5"},
                                                         {"进度条1", "20"},
                                                         {"标签3", "正在下载  2/5"},
                                                         {"进度条1", "40"},
                                                         {"标签3", "正在下载  3/5"},
                                                         {"进度条1", "60"},
                                                         {"标签3", "正在下载  4/5"},
                                                         {"进度条1", "80"},
                                                         {"标签3", "正在下载  5/5"},
                                                         {"进度条1", "100"},
                                                         {"高级选择夹1", "0"},
                                                         {"标签3", "下载完毕  5"}}));
}

TEST_F(Download, AnEmptyListEndsAtOnce)
{
    start_download(*state, view, workers);
    workers.wait_all();
    EXPECT_EQ(view.writes(), (std::vector<ViewWrite>{{"高级选择夹1", "1"},
                                                     {"标签3", "正在下载  1/"},
                                                     {"高级选择夹1", "0"},
                                                     {"标签3", "下载完毕  "}}));
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(Download, FailedAndMissingPicturesGiveEmptyFiles)
{
    service.set_api_response(app_testing::kAlbumPath,
                             {FakeService::reply(R"({"items":[{"pictures":[{"img_src":")" + service.picture_url(1)
                                                 + R"("},{"x":1},{"img_src":")" + service.picture_url(3) + R"("}]}]})")});
    service.set_picture(1, {http_response("HTTP/1.1 404 Not Found", {"Content-Type: text/html"}, "<h1>gone</h1>")});
    service.set_picture(3, {http_response("HTTP/1.1 200 OK", {}, "third")});
    identify_and_download();
    EXPECT_EQ(file_content(folder / "1.jpg"), "");
    EXPECT_EQ(file_content(folder / "2.jpg"), "");
    EXPECT_EQ(file_content(folder / "3.jpg"), "third");
    EXPECT_EQ(view.values_of(Control::标签3).back(), Text("下载完毕  3"));
}

TEST_F(Download, FilesOfALongerEarlierRunStay)
{
    std::ofstream(folder / "1.jpg") << "old one";
    std::ofstream(folder / "3.jpg") << "old three";
    service.set_album({2});
    identify_and_download();
    EXPECT_EQ(file_content(folder / "1.jpg"), FakeService::picture_bytes(1));
    EXPECT_EQ(file_content(folder / "3.jpg"), "old three");
}

TEST_F(Download, AnUnwritableFolderSkipsTheFilesAndStillEnds)
{
    RecordingView elsewhere{"777", Text((folder / "missing").string())};
    service.set_album({2});
    identify_uploader(*state, elsewhere);
    start_download(*state, elsewhere, workers);
    workers.wait_all();
    EXPECT_FALSE(fs::exists(folder / "missing"));
    EXPECT_EQ(elsewhere.values_of(Control::标签3).back(), Text("下载完毕  2"));
}

TEST_F(Download, IdentificationDuringARunLeavesTheRunAlone)
{
    service.set_album({40});
    identify_uploader(*state, view);
    start_download(*state, view, workers);
    // A new address while the worker runs: the program's list is emptied and
    // refilled with another album, the run keeps its own.
    service.set_album({1});
    view.set_address("https://space.bilibili.com/888");
    identify_uploader(*state, view);
    workers.wait_all();
    EXPECT_EQ(state->PictureUrlList.count(), 1);
    for (int i = 1; i <= 40; ++i)
        EXPECT_EQ(file_content(folder / (std::to_string(i) + ".jpg")), FakeService::picture_bytes(i)) << i;
    const std::vector<Text> captions = view.values_of(Control::标签3);
    EXPECT_NE(std::find(captions.begin(), captions.end(), Text("下载完毕  40")), captions.end());
}

TEST_F(Download, StoppingAbortsTheTransferAndWritesNothingMore)
{
    service.set_album({3});
    // The second picture announces more bytes than it sends and then stalls.
    service.set_picture(2, {"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\npartial", testing_support::Ending::hold_open});
    identify_uploader(*state, view);
    start_download(*state, view, workers);
    // Wait until the worker is inside the stalled transfer (bounded, so a
    // broken run fails instead of hanging the suite).
    for (int waited = 0; !fs::exists(folder / "1.jpg") || service.pictures().requests().size() < 2; ++waited) {
        ASSERT_LT(waited, 12000) << "the worker never reached the second picture";
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    const auto started = std::chrono::steady_clock::now();
    workers.stop_all();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    EXPECT_FALSE(fs::exists(folder / "2.jpg"));
    EXPECT_FALSE(fs::exists(folder / "3.jpg"));
    EXPECT_NE(view.values_of(Control::标签3).back(), Text("下载完毕  3"));
}

TEST_F(Download, TwoRunsOverOneListWriteWholeFiles)
{
    service.set_album({20});
    identify_uploader(*state, view);
    start_download(*state, view, workers);
    start_download(*state, view, workers);
    workers.wait_all();
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(file_content(folder / (std::to_string(i) + ".jpg")), FakeService::picture_bytes(i)) << i;
}

} // namespace
} // namespace fernwick
