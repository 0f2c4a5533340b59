#pragma once

// The service as the tests see it: an HTTPS server that answers for both API
// hosts (reached through connect-to rules) from replies the test sets, and
// a plain HTTP server for the avatar and the pictures.

#include <string>
#include <vector>

#include "test_support/http_server.h"
#include "test_support/scoped_diagnostics.h"

namespace fernwick::app_testing {

inline constexpr const char* kProfilePath = "/x/space/acc/info";
inline constexpr const char* kAlbumPath = "/link_draw/v1/doc/doc_list";

class FakeService {
public:
    FakeService();

    // The profile reply: an avatar served by the picture server, and the name (UTF-8).
    void set_profile(const std::string& name_utf8);
    // The album reply: one post per entry, each with that many pictures, whose
    // addresses are picture_url(1), picture_url(2), ... in album order.
    void set_album(const std::vector<int>& pictures_per_post);
    // Any reply body (or a failure) for a path of the API server.
    void set_api_response(const std::string& path, testing_support::ScriptedResponse response);

    std::string picture_url(int number) const;
    // The bytes picture `number` is served with.
    static std::string picture_bytes(int number);
    void set_picture(int number, testing_support::ScriptedResponse response);

    // The connect-to rules that send both API hosts to the fake service.
    std::vector<std::string> connect_to_rules() const;

    testing_support::TestHttpServer& api() { return api_; }
    testing_support::TestHttpServer& pictures() { return pictures_; }

    static std::string reply(const std::string& data_json);

private:
    testing_support::TestHttpServer api_{testing_support::TestHttpServer::Security::tls};
    testing_support::TestHttpServer pictures_;
    testing_support::ScopedDiagnostics diagnostics_;
    int served_pictures_ = 0;
};

} // namespace fernwick::app_testing
