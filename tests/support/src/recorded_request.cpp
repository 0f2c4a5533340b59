#include <algorithm>
#include <cctype>

#include "test_support/http_server.h"

namespace fernwick::testing_support {

namespace {

bool same_name(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

std::string RecordedRequest::method() const
{
    return request_line.substr(0, request_line.find(' '));
}

std::string RecordedRequest::target() const
{
    const std::size_t start = request_line.find(' ');
    if (start == std::string::npos)
        return {};
    const std::size_t end = request_line.find(' ', start + 1);
    return request_line.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
}

std::string RecordedRequest::path() const
{
    std::string path = target();
    if (const std::size_t scheme_end = path.find("://"); scheme_end != std::string::npos && path[0] != '/') {
        const std::size_t host_end = path.find('/', scheme_end + 3);
        path = host_end == std::string::npos ? "/" : path.substr(host_end);
    }
    return path.substr(0, path.find('?'));
}

std::optional<std::string> RecordedRequest::header(std::string_view name) const
{
    for (const std::string& line : header_lines) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || !same_name(std::string_view(line).substr(0, colon), name))
            continue;
        const std::size_t value = line.find_first_not_of(" \t", colon + 1);
        return value == std::string::npos ? std::string() : line.substr(value);
    }
    return std::nullopt;
}

} // namespace fernwick::testing_support
