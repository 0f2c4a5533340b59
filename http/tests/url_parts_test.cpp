#include "http/text_helpers.h"

#include <climits>
#include <gtest/gtest.h>

#include "test_support/printing.h"

namespace fernwick {
namespace {

struct AddressCase {
    const char* address;
    const char* host;
    const char* host_with_port;
    int port;
    const char* path;
    friend void PrintTo(const AddressCase& c, std::ostream* os) { *os << testing_support::escaped(c.address); }
};

class AddressParts : public testing::TestWithParam<AddressCase> {};

TEST_P(AddressParts, TakeTheAddressApart)
{
    const AddressCase& c = GetParam();
    EXPECT_EQ(url_host(c.address), Text(c.host));
    EXPECT_EQ(url_host(c.address, true), Text(c.host_with_port));
    EXPECT_EQ(url_port(c.address), c.port);
    EXPECT_EQ(url_path(c.address), Text(c.path));
}

INSTANTIATE_TEST_SUITE_P(Cases, AddressParts, testing::Values(
    AddressCase{"https://10.0.0.1:8443/a/b?c", "10.0.0.1", "10.0.0.1:8443", 8443, "/a/b?c"},
    AddressCase{"https://10.0.0.1/a", "10.0.0.1", "10.0.0.1", 443, "/a"},
    AddressCase{"10.0.0.1/x", "10.0.0.1", "10.0.0.1", 80, "/x"},
    AddressCase{"10.0.0.1", "10.0.0.1", "10.0.0.1", 80, "/"},
    AddressCase{"http://10.0.0.1?x=1", "10.0.0.1?x=1", "10.0.0.1?x=1", 80, "/"},
    AddressCase{"http://10.0.0.1/A/b?c=D", "10.0.0.1", "10.0.0.1", 80, "/A/b?c=D"},
    AddressCase{"http://10.0.0.1", "10.0.0.1", "10.0.0.1", 80, "/"},
    AddressCase{"http://10.0.0.1/", "10.0.0.1", "10.0.0.1", 80, "/"},
    AddressCase{"http://Api.Example.COM:8080/Q#Frag", "api.example.com", "api.example.com:8080", 8080, "/Q#Frag"},
    AddressCase{"HTTPS://Example.com/x", "example.com", "example.com", 443, "/x"},
    AddressCase{"http://example.com:/x", "example.com", "example.com:", 0, "/x"},
    AddressCase{"http://example.com:abc/x", "example.com", "example.com:abc", 0, "/x"},
    AddressCase{"http://example.com:0/x", "example.com", "example.com:0", 0, "/x"},
    AddressCase{"http://example.com:70000/x", "example.com", "example.com:70000", 70000, "/x"},
    AddressCase{"http://example.com:99999999999/x", "example.com", "example.com:99999999999", INT_MAX, "/x"},
    AddressCase{"http://a:1:2/x", "a", "a:1:2", 2, "/x"},
    // A host that also occurs inside the scheme text keeps its own path.
    AddressCase{"http://h/x", "h", "h", 80, "/x"},
    AddressCase{"https://s/x?y", "s", "s", 443, "/x?y"},
    AddressCase{"http://http/p", "http", "http", 80, "/p"},
    // A scheme written in capitals after a completed one, as a bare
    // capital address becomes: the "host" is the capital scheme.
    AddressCase{"http://HTTP://X.COM/a", "http", "http:", 0, "//X.COM/a"},
    AddressCase{"see http://x.cn/p", "x.cn", "x.cn", 80, "/p"},
    AddressCase{"http:///x", "", "", 80, "/x"},
    AddressCase{"", "", "", 80, "/"},
    AddressCase{"https://", "", "", 443, "/"},
    AddressCase{"http://中文.cn/路径", "中文.cn", "中文.cn", 80, "/路径"}));

} // namespace
} // namespace fernwick
