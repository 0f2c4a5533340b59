#include "request_reader.h"

#include <cctype>
#include <cstddef>

namespace fernwick::testing_support {

namespace {

constexpr std::size_t kMaxHeadBytes = std::size_t{1} << 20;
constexpr std::size_t kMaxBodyBytes = std::size_t{64} << 20;

bool fill(Connection& connection, std::string& pending)
{
    char buffer[16384];
    const std::size_t count = connection.read_some(buffer, sizeof buffer);
    pending.append(buffer, count);
    return count > 0;
}

std::optional<std::size_t> content_length(const RecordedRequest& request)
{
    const std::optional<std::string> value = request.header("Content-Length");
    if (!value)
        return 0;
    std::size_t length = 0;
    for (char c : *value) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        length = length * 10 + static_cast<std::size_t>(c - '0');
        if (length > kMaxBodyBytes)
            return std::nullopt;
    }
    return length;
}

} // namespace

std::optional<RecordedRequest> read_request(Connection& connection, std::string& pending)
{
    std::size_t head_end;
    while ((head_end = pending.find("\r\n\r\n")) == std::string::npos) {
        if (pending.size() > kMaxHeadBytes || !fill(connection, pending))
            return std::nullopt;
    }

    RecordedRequest request;
    const std::string head = pending.substr(0, head_end);
    std::size_t line_start = 0;
    for (;;) {
        const std::size_t line_end = head.find("\r\n", line_start);
        std::string line = head.substr(line_start, line_end - line_start);
        if (line_start == 0)
            request.request_line = std::move(line);
        else
            request.header_lines.push_back(std::move(line));
        if (line_end == std::string::npos)
            break;
        line_start = line_end + 2;
    }
    pending.erase(0, head_end + 4);

    const std::optional<std::size_t> body_length = content_length(request);
    if (!body_length)
        return std::nullopt;
    while (pending.size() < *body_length) {
        if (!fill(connection, pending))
            return std::nullopt;
    }
    request.body = pending.substr(0, *body_length);
    pending.erase(0, *body_length);
    return request;
}

std::string request_bytes(const RecordedRequest& request)
{
    std::string bytes = request.request_line + "\r\n";
    for (const std::string& line : request.header_lines)
        bytes += line + "\r\n";
    return bytes + "\r\n" + request.body;
}

} // namespace fernwick::testing_support
