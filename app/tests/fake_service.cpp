#include "fake_service.h"

namespace fernwick::app_testing {

using testing_support::http_response;

FakeService::FakeService() : diagnostics_(connect_to_rules())
{
    pictures_.respond("/face.png", {http_response("HTTP/1.1 200 OK", {"Content-Type: image/png"}, "avatar")});
}

std::vector<std::string> FakeService::connect_to_rules() const
{
    const std::string target = ":127.0.0.1:" + std::to_string(api_.port());
    return {"api.bilibili.com:443" + target, "api.vc.bilibili.com:443" + target};
}

std::string FakeService::reply(const std::string& data_json)
{
    return http_response("HTTP/1.1 200 OK", {"Content-Type: application/json; charset=utf-8"},
                         R"({"code":0,"message":"0","data":)" + data_json + "}");
}

void FakeService::set_profile(const std::string& name_utf8)
{
    set_api_response(kProfilePath, {reply(R"({"mid":12345,"name":")" + name_utf8 + R"(","face":")"
                                          + pictures_.url("/face.png") + R"("})")});
}

void FakeService::set_album(const std::vector<int>& pictures_per_post)
{
    std::string items;
    int number = 0;
    for (int count : pictures_per_post) {
        std::string pictures;
        for (int j = 0; j < count; ++j) {
            ++number;
            pictures += (j ? "," : "") + std::string(R"({"img_src":")") + picture_url(number)
                + R"(","img_width":800,"img_height":600,"img_size":120})";
            if (number > served_pictures_) {
                set_picture(number, {http_response("HTTP/1.1 200 OK", {"Content-Type: image/jpeg"},
                                                   picture_bytes(number))});
                served_pictures_ = number;
            }
        }
        items += (items.empty() ? "" : ",") + std::string(R"({"doc_id":)") + std::to_string(number)
            + R"(,"title":"t","pictures":[)" + pictures + "]}";
    }
    set_api_response(kAlbumPath, {reply(R"({"items":[)" + items + "]}")});
}

void FakeService::set_api_response(const std::string& path, testing_support::ScriptedResponse response)
{
    api_.respond(path, std::move(response));
}

std::string FakeService::picture_url(int number) const
{
    return pictures_.url("/p/" + std::to_string(number) + ".jpg");
}

std::string FakeService::picture_bytes(int number)
{
    return "\xFF\xD8 picture " + std::to_string(number);
}

void FakeService::set_picture(int number, testing_support::ScriptedResponse response)
{
    pictures_.respond("/p/" + std::to_string(number) + ".jpg", std::move(response));
}

} // namespace fernwick::app_testing
