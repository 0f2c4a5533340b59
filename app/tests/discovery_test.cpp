#include "app/discovery.h"

#include <gtest/gtest.h>

#include "app/identification.h"
#include "fake_service.h"
#include "recording_view.h"
#include "test_support/utf8.h"

namespace fernwick {
namespace {

using app_testing::FakeService;
using testing_support::RecordingView;
using testing_support::ViewWrite;

class Discovery : public testing::Test {
protected:
    std::vector<std::string> request_targets()
    {
        std::vector<std::string> targets;
        for (const auto& request : service.api().requests())
            targets.push_back(request.target());
        return targets;
    }

    FakeService service;
    std::unique_ptr<AppState> state = app_state_init();
    RecordingView view{"https://space.bilibili.com/12345?from=search&x=9"};
};

TEST_F(Discovery, FillsTheListInPostOrderAndShowsTheUploader)
{
    service.set_profile(testing_support::utf8(u8"测试用户"));
    service.set_album({3, 2});
    identify_uploader(*state, view);

    EXPECT_EQ(state->uploader_id, Text("12345"));
    EXPECT_EQ(state->picture_count_text, Text("5"));
    ASSERT_EQ(state->PictureUrlList.count(), 5);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(state->PictureUrlList.at(i), Text(service.picture_url(i)));
    EXPECT_EQ(view.writes(), (std::vector<ViewWrite>{{"标签1", "正在识别"},
                                                     {"图片框3", "6"},
                                                     {"标签5", "测试用户"},
                                                     {"标签3", "发现图片  5"},
                                                     {"标签1", "识别完毕"}}));
    EXPECT_EQ(request_targets(),
              (std::vector<std::string>{"/x/space/acc/info?mid=12345&jsonp=jsonp",
                                        "/link_draw/v1/doc/doc_list?uid=12345&page_num=0&page_size=9999&biz=all"}));
    for (const auto& request : service.api().requests())
        EXPECT_EQ(request.header("Host"), request.path() == app_testing::kProfilePath ? "api.bilibili.com"
                                                                                     : "api.vc.bilibili.com");
}

TEST_F(Discovery, AnEmptyIdentifierStillAsksBothEndpoints)
{
    service.set_album({1});
    view.set_address("no digits");
    identify_uploader(*state, view);
    EXPECT_EQ(request_targets(),
              (std::vector<std::string>{"/x/space/acc/info?mid=&jsonp=jsonp",
                                        "/link_draw/v1/doc/doc_list?uid=&page_num=0&page_size=9999&biz=all"}));
    EXPECT_EQ(state->PictureUrlList.count(), 1);
}

TEST_F(Discovery, EmptyPostsDoNotShiftLaterOnes)
{
    service.set_album({2, 0, 1});
    identify_uploader(*state, view);
    ASSERT_EQ(state->PictureUrlList.count(), 3);
    EXPECT_EQ(state->PictureUrlList.at(3), Text(service.picture_url(3)));
    EXPECT_EQ(view.values_of(Control::标签3), std::vector<Text>{"发现图片  3"});
}

TEST_F(Discovery, APictureWithoutAddressIsAnEmptyMember)
{
    service.set_api_response(app_testing::kAlbumPath,
                             {FakeService::reply(R"({"items":[{"pictures":[{"img_width":1},{"img_src":"x"}]},{}]})")});
    identify_uploader(*state, view);
    EXPECT_EQ(state->PictureUrlList, (TextList{"", "x"}));
    EXPECT_EQ(state->picture_count_text, Text("2"));
}

TEST_F(Discovery, FailedRequestsShowNothingFound)
{
    // Neither path has a reply: the server answers 404 without a body.
    identify_uploader(*state, view);
    EXPECT_TRUE(state->PictureUrlList.empty());
    EXPECT_EQ(view.writes(), (std::vector<ViewWrite>{{"标签1", "正在识别"},
                                                     {"图片框3", "0"},
                                                     {"标签5", ""},
                                                     {"标签3", "发现图片  0"},
                                                     {"标签1", "识别完毕"}}));
}

TEST_F(Discovery, AnErrorReplyInsteadOfDataFindsNothing)
{
    service.set_api_response(app_testing::kAlbumPath,
                             {testing_support::http_response("HTTP/1.1 200 OK", {}, R"({"code":-400,"message":"bad"})")});
    service.set_profile("n");
    identify_uploader(*state, view);
    EXPECT_EQ(state->picture_count_text, Text("0"));
    EXPECT_EQ(view.values_of(Control::标签5), std::vector<Text>{"n"});
}

TEST_F(Discovery, EveryChangeStartsFromAnEmptyList)
{
    service.set_album({2});
    identify_uploader(*state, view);
    identify_uploader(*state, view);
    EXPECT_EQ(state->PictureUrlList.count(), 2);
}

} // namespace
} // namespace fernwick
