// The parts of a request that never reach the wire as such: the session's
// user agent (a User-Agent line among the extra headers is sent itself and
// takes the agent's place) and the flag word.

#include "request_composition.h"

#include <gtest/gtest.h>

#include "test_support/printing.h"

namespace fernwick::request {
namespace {

constexpr const char* kDefaultAgent =
    "Mozilla/5.0 (Windows NT 10.0; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/50.0.2661.102 "
    "Safari/537.36";

struct AgentCase {
    const char* extra_headers;
    const char* agent;
    friend void PrintTo(const AgentCase& c, std::ostream* os) { *os << testing_support::escaped(c.extra_headers); }
};

class UserAgent : public testing::TestWithParam<AgentCase> {};

TEST_P(UserAgent, FollowsTheExtraHeaders)
{
    EXPECT_EQ(user_agent(GetParam().extra_headers), Text(GetParam().agent));
}

INSTANTIATE_TEST_SUITE_P(Cases, UserAgent, testing::Values(
    AgentCase{"", kDefaultAgent},
    AgentCase{"Accept: text/html", kDefaultAgent},
    AgentCase{"User-Agent: Fetcher/2", "Fetcher/2"},
    AgentCase{"Accept: */*\r\nUser-Agent:  Fetcher/2 \r\nX-A: b", "Fetcher/2"},
    // Found ignoring case but extracted only as spelled: the agent is then
    // the text after the block's first colon.
    AgentCase{"user-agent: Fetcher/2", "Fetcher/2"},
    AgentCase{"Accept: a\r\nUSER-AGENT: Fetcher/2", "a\r\nUSER-AGENT: Fetcher/2"},
    AgentCase{"User-Agent:\r\nAccept: a", "\r\nAccept: a"},
    AgentCase{"User-Agent:", ""}));

TEST(RequestFlags, FormTheDocumentedWords)
{
    EXPECT_EQ(request_flags(false, false, false), 0x80004010u);
    EXPECT_EQ(request_flags(true, false, false), 0x80800010u);
    EXPECT_EQ(request_flags(false, true, false), 0x80084010u);
    EXPECT_EQ(request_flags(true, true, true), 0x80A80010u);
    EXPECT_EQ(request_flags(false, false, true), 0x80204010u);
}

} // namespace
} // namespace fernwick::request
