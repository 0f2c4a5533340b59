#pragma once

// The test certificate files: an authority, and a server certificate it
// signed for 127.0.0.1, localhost, api.bilibili.com, api.vc.bilibili.com,
// *.hdslb.com and example.test.

#include <string>

namespace fernwick::testing_support {

std::string test_ca_file();
std::string test_server_certificate_file();
std::string test_server_key_file();

} // namespace fernwick::testing_support
