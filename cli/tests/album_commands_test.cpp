#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "test_support/utf8.h"
#include <iterator>
#include <unistd.h>

#include "fake_service.h"
#include "run_cli.h"
#include "test_support/tls_fixtures.h"

namespace fernwick::cli_testing {
namespace {

using testing_support::utf8;

namespace fs = std::filesystem;
using app_testing::FakeService;

class AlbumCommands : public testing::Test {
protected:
    AlbumCommands()
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
        service.set_profile(utf8(u8"画师"));
        service.set_album({1, 1});
    }
    ~AlbumCommands() override { fs::remove_all(folder); }

    // The diagnostic options that point the service's hosts at the fake one.
    std::vector<std::string> with_service(std::vector<std::string> arguments) const
    {
        std::vector<std::string> all{"--cacert", testing_support::test_ca_file()};
        for (const std::string& rule : service.connect_to_rules()) {
            all.push_back("--connect-to");
            all.push_back(rule);
        }
        arguments.insert(arguments.end() - 1, all.begin(), all.end());
        return arguments;
    }

    fs::path folder = fs::temp_directory_path() / ("fernwick-cli-album-" + std::to_string(::getpid()));
    FakeService service;
};

TEST_F(AlbumCommands, DownloadTracesEveryWriteAndWritesTheFiles)
{
    CliResult result = run_cli(with_service({"download", "--trace", "--out", folder.string(), "space.bilibili.com/42"}));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, utf8(u8"标签1\t正在识别\n"
                               u8"图片框3\t6\n"
                               u8"标签5\t画师\n"
                               u8"标签3\t发现图片  2\n"
                               u8"标签1\t识别完毕\n"
                               u8"高级选择夹1\t1\n"
                               u8"标签3\t正在下载  1/2\n"
                               u8"标签3\t正在下载  1/2\n"
                               u8"进度条1\t50\n"
                               u8"标签3\t正在下载  2/2\n"
                               u8"进度条1\t100\n"
                               u8"高级选择夹1\t0\n"
                               u8"标签3\t下载完毕  2\n"));
    std::ifstream second(folder / "2.jpg", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(second), {}), FakeService::picture_bytes(2));
}

TEST_F(AlbumCommands, DownloadWithoutTraceShowsPlainProgressLines)
{
    CliResult result = run_cli(with_service({"download", "--out", folder.string(), "42"}));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, utf8(u8"画师\n发现图片  2\n正在下载  1/2\n正在下载  1/2\n正在下载  2/2\n下载完毕  2\n"));
}

TEST_F(AlbumCommands, ListPrintsThePictureAddresses)
{
    CliResult result = run_cli(with_service({"list", "42"}));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, service.picture_url(1) + "\n" + service.picture_url(2) + "\n");
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST(IdentifyCommand, PrintsTheIdentifier)
{
    EXPECT_EQ(run_cli({"identify", "https://space.bilibili.com/42?from=x&y=7"}).out, "42\n");
    EXPECT_EQ(run_cli({"identify", "nothing"}).out, "\n");
}

TEST(AlbumCommandErrors, AreUsageErrors)
{
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"download"},
             {"download", "--out", "/nonexistent/folder", "42"},
             {"download", "--out", "/etc/hostname", "42"},
             {"download", "--out"},
             {"download", "--connect-to"},
             {"download", "42", "43"},
             {"list"},
             {"list", "--trace", "42"},
             {"identify"},
             {"identify", "1", "2"}}) {
        CliResult result = run_cli(arguments);
        EXPECT_EQ(result.status, 2) << testing::PrintToString(arguments);
        EXPECT_FALSE(result.err.empty());
    }
}

} // namespace
} // namespace fernwick::cli_testing
