#include "test_support/tls_fixtures.h"

namespace fernwick::testing_support {

std::string test_ca_file()
{
    return FERNWICK_TEST_FIXTURES_DIR "/test-ca.pem";
}

std::string test_server_certificate_file()
{
    return FERNWICK_TEST_FIXTURES_DIR "/test-server.pem";
}

std::string test_server_key_file()
{
    return FERNWICK_TEST_FIXTURES_DIR "/test-server.key";
}

} // namespace fernwick::testing_support
