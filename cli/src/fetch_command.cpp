#include "fetch_command.h"

#include <charconv>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "diagnostic_options.h"
#include "http/web_fetch.h"
#include "terminal.h"

namespace fernwick::cli {
namespace {

constexpr std::string_view kUsage =
    "  fernwick-cli fetch [--method N] [--header LINE]... [--cookies TEXT] [--no-redirect] [--data TEXT]\n"
    "                     [--proxy TEXT] [--text] [--output FILE] [--dump-header FILE] [--sent-header FILE]\n"
    "                     [--cookies-out FILE] [--print-address]\n"
    "                     [--connect-to HOST:PORT:HOST2:PORT2]... [--cacert FILE] ADDRESS\n";

int run(std::span<const std::string_view> arguments);

const Command kCommand{"fetch", kUsage, run};

struct FetchRequest {
    DiagnosticOptions diagnostics;
    int method = 0;
    std::vector<Text> header_lines;
    std::optional<Text> cookies;
    bool no_redirect = false;
    std::optional<Text> data;
    std::optional<Text> proxy;
    bool as_text = false;
    bool print_address = false;
    std::optional<std::string_view> output;
    std::optional<std::string_view> dump_header;
    std::optional<std::string_view> sent_header;
    std::optional<std::string_view> cookies_out;
    std::optional<std::string_view> address;
};

std::optional<int> parsed_int(std::string_view digits)
{
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

// Takes an option with a value into `request`; false when `option` is none of them.
bool take_valued(FetchRequest& request, std::string_view option, std::string_view value)
{
    if (option == "--header")
        request.header_lines.push_back(text_from_argument(value));
    else if (option == "--cookies")
        request.cookies = text_from_argument(value);
    else if (option == "--data")
        request.data = text_from_argument(value);
    else if (option == "--proxy")
        request.proxy = text_from_argument(value);
    else if (option == "--output")
        request.output = value;
    else if (option == "--dump-header")
        request.dump_header = value;
    else if (option == "--sent-header")
        request.sent_header = value;
    else if (option == "--cookies-out")
        request.cookies_out = value;
    else
        return false;
    return true;
}

// Parses the arguments; returns the exit status of a usage error, or nothing.
std::optional<int> parse(std::span<const std::string_view> arguments, FetchRequest& request)
{
    for (std::size_t index = 0; index < arguments.size();) {
        const std::string_view argument = arguments[index];
        bool missing_value = false;
        if (request.diagnostics.take(arguments, index, missing_value)) {
            if (missing_value)
                return usage_error(kCommand, Text(argument) + " needs a value");
            continue;
        }
        ++index;
        if (argument == "--no-redirect") {
            request.no_redirect = true;
        } else if (argument == "--text") {
            request.as_text = true;
        } else if (argument == "--print-address") {
            request.print_address = true;
        } else if (argument.starts_with("--") && argument.size() > 2) {
            if (index >= arguments.size())
                return usage_error(kCommand, Text(argument) + " needs a value");
            const std::string_view value = arguments[index++];
            if (argument == "--method") {
                const std::optional<int> method = parsed_int(value);
                if (!method)
                    return usage_error(kCommand, "--method needs a whole number");
                request.method = *method;
            } else if (!take_valued(request, argument, value)) {
                return usage_error(kCommand, Text("unknown option ") + text_from_argument(argument));
            }
        } else if (request.address) {
            return usage_error(kCommand, "only one ADDRESS may be given");
        } else {
            request.address = argument;
        }
    }
    if (!request.address)
        return usage_error(kCommand, "ADDRESS is missing");
    return std::nullopt;
}

Text joined_lines(const std::vector<Text>& lines)
{
    Text block;
    for (const Text& line : lines)
        block += (block.empty() ? Text() : Text("\r\n")) + line;
    return block;
}

// Writes the bytes to the file named on the command line; false, with the
// reason on standard error, when that fails.
bool write_output(std::string_view path, std::string_view bytes)
{
    std::ofstream out{std::string(path), std::ios::binary | std::ios::trunc};
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out)
        return true;
    print_error(Text("fernwick-cli: cannot write '") + text_from_argument(path) + "'\n");
    return false;
}

int run(std::span<const std::string_view> arguments)
{
    FetchRequest request;
    if (std::optional<int> status = parse(arguments, request))
        return *status;
    request.diagnostics.apply();

    Text address = text_from_argument(*request.address);
    Text extra_headers = joined_lines(request.header_lines);
    Text cookies_out;
    Text headers_out;
    ByteBuffer body_bytes;
    FetchOptions options{.method = request.method, .cookies_out = &cookies_out, .extra_headers = &extra_headers,
                         .headers_out = &headers_out, .no_redirect = request.no_redirect, .body_bytes = &body_bytes};
    if (request.data)
        options.body_text = &*request.data;
    if (request.cookies)
        options.cookies = &*request.cookies;
    if (request.proxy)
        options.proxy = &*request.proxy;

    std::string body;
    if (request.as_text)
        body = web_fetch_text(address, options).view();
    else
        body = bytes_view(web_fetch(address, options));

    if (request.print_address)
        print_error(address + "\n");
    bool written = true;
    if (request.output)
        written = write_output(*request.output, body);
    else
        print_bytes(body);
    if (request.dump_header)
        written = write_output(*request.dump_header, headers_out.view()) && written;
    if (request.sent_header)
        written = write_output(*request.sent_header, extra_headers.view()) && written;
    if (request.cookies_out)
        written = write_output(*request.cookies_out, cookies_out.view()) && written;
    return written ? kExitOk : kExitFailure;
}

} // namespace

Command fetch_command()
{
    return kCommand;
}

} // namespace fernwick::cli
