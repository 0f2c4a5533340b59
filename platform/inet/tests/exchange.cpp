#include "exchange.h"

namespace fernwick::platform::testing {

OpenedRequest open_request(const Exchange& request)
{
    OpenedRequest opened;
    opened.internet.reset(InternetOpenA(Text(request.agent), request.access, Text(request.proxy), "", 0));
    if (opened.internet)
        opened.connection.reset(InternetConnectA(opened.internet.get(), Text(request.host), request.port, "", "",
                                                 INTERNET_SERVICE_HTTP, 0, 0));
    if (opened.connection)
        opened.request.reset(HttpOpenRequestA(opened.connection.get(), Text(request.method), Text(request.path),
                                              "HTTP/1.1", "", nullptr, request.flags, 0));
    return opened;
}

Outcome exchange(const Exchange& request)
{
    Outcome outcome;
    const OpenedRequest opened = open_request(request);
    const Handle& http = opened.request;
    if (!http)
        return outcome;
    outcome.connected = true;
    outcome.sent = HttpSendRequestA(http.get(), request.headers.data(), static_cast<std::uint32_t>(request.headers.size()),
                                    request.body.data(), static_cast<std::uint32_t>(request.body.size()));
    std::vector<char> buffer(request.read_size);
    for (;;) {
        std::uint32_t count = 0;
        const bool ok = InternetReadFile(http.get(), buffer.data(), request.read_size, &count);
        if (count == 0) {
            outcome.last_read_failed = !ok;
            break;
        }
        outcome.read_sizes.push_back(count);
        outcome.body.append(buffer.data(), count);
    }
    std::vector<char> head(65536);
    std::uint32_t length = static_cast<std::uint32_t>(head.size());
    outcome.head_queried = HttpQueryInfoA(http.get(), HTTP_QUERY_RAW_HEADERS_CRLF, head.data(), &length, nullptr);
    if (outcome.head_queried)
        outcome.head.assign(head.data(), length);
    return outcome;
}

} // namespace fernwick::platform::testing
