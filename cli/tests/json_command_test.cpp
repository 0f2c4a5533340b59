#include <gtest/gtest.h>

#include "test_support/utf8.h"

#include "run_cli.h"

namespace fernwick::cli_testing {
namespace {

using testing_support::utf8;

// A reply as the service sends it: UTF-8.
const std::string kReply = utf8(u8R"({"data":{"name":"名字","items":[{"pictures":[{"img_src":"a"}]}],"ok":true}})");

TEST(JsonCommand, NodesListsEveryNodeWithIndexLevelKindNameAndValue)
{
    TemporaryFile file(kReply);
    CliResult result = run_cli({"json", "nodes", file.path()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, utf8(u8"1\t1\t4\tJSON\t{ 1 }\n"
                               u8"2\t2\t4\tdata\t{ 3 }\n"
                               u8"3\t3\t2\tname\t名字\n"
                               u8"4\t3\t5\titems\t[ 1 ]\n"
                               u8"5\t4\t4\t[0]\t{ 1 }\n"
                               u8"6\t5\t5\tpictures\t[ 1 ]\n"
                               u8"7\t6\t4\t[0]\t{ 1 }\n"
                               u8"8\t7\t2\timg_src\ta\n"
                               u8"9\t3\t3\tok\ttrue\n"));
}

TEST(JsonCommand, RawTakesTheBytesAsCodePage936)
{
    TemporaryFile file("{\"n\":\"\xC3\xFB\xD7\xD6\"}");
    EXPECT_EQ(run_cli({"json", "get", "--raw", file.path(), "n"}).out, utf8(u8"2\t2\t名字\n"));
    // Without --raw the same bytes are taken as UTF-8, which they are not.
    EXPECT_NE(run_cli({"json", "get", file.path(), "n"}).out, utf8(u8"2\t2\t名字\n"));
}

TEST(JsonCommand, GetCountAndFormatAnswerFromTheDocument)
{
    TemporaryFile file(kReply);
    EXPECT_EQ(run_cli({"json", "get", file.path(), "data.items"}).out, "5\t4\t[ 1 ]\n");
    EXPECT_EQ(run_cli({"json", "get", "--convert", file.path(), "data.items"}).out, "5\t4\t1\n");
    EXPECT_EQ(run_cli({"json", "get", "--convert", file.path(), "data.ok"}).out, "3\t9\t1\n");
    EXPECT_EQ(run_cli({"json", "get", file.path(), "data.missing"}).out, "0\t0\t\n");
    EXPECT_EQ(run_cli({"json", "count", file.path(), "data.items[0].pictures"}).out, "1\n");
    EXPECT_EQ(run_cli({"json", "format", file.path()}).out,
              utf8(u8"{\r\n\t\"data\":\t{\r\n\t\t\"name\":\t\"名字\",\r\n\t\t\"items\":\t[\r\n\t\t\t{\r\n\t\t\t\t"
                   u8"\"pictures\":\t[\r\n\t\t\t\t\t{\r\n\t\t\t\t\t\t\"img_src\":\t\"a\"\r\n\t\t\t\t\t}\r\n\t\t\t\t]"
                   u8"\r\n\t\t\t}\r\n\t\t],\r\n\t\t\"ok\":\ttrue\r\n\t}\r\n}\n"));
}

TEST(JsonCommand, AnyContentIsAnswered)
{
    TemporaryFile file(std::string("\xFF\x00garbage [[[{\"", 16));
    CliResult result = run_cli({"json", "nodes", file.path()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(run_cli({"json", "count", file.path(), "...[[]]."}).out, "0\n");
}

TEST(JsonCommand, ReportsFileAndUsageErrors)
{
    struct Case {
        std::vector<std::string> arguments;
        int status;
    };
    for (const Case& c : {Case{{"json", "nodes", "/nonexistent/reply.json"}, 1}, Case{{"json", "nodes", "/tmp"}, 1},
                          Case{{"json"}, 2}, Case{{"json", "nodes"}, 2}, Case{{"json", "get", "file"}, 2},
                          Case{{"json", "sort", "file"}, 2}, Case{{"json", "nodes", "--fast", "file"}, 2},
                          Case{{"json", "nodes", "--convert", "file"}, 2}, Case{{"nonsense"}, 2}, Case{{}, 2}}) {
        CliResult result = run_cli(c.arguments);
        EXPECT_EQ(result.status, c.status) << testing::PrintToString(c.arguments);
        EXPECT_FALSE(result.err.empty());
        EXPECT_TRUE(result.out.empty());
    }
}

} // namespace
} // namespace fernwick::cli_testing
