#include "json_command.h"

#include <optional>
#include <string>
#include <vector>

#include "files.h"
#include "http/response_text.h"
#include "json/json_document.h"
#include "platform/text_rules.h"
#include "terminal.h"

namespace fernwick::cli {
namespace {

constexpr std::string_view kUsage =
    "  fernwick-cli json nodes [--raw] FILE\n"
    "  fernwick-cli json get [--raw] [--convert] FILE PATH\n"
    "  fernwick-cli json count [--raw] FILE PATH\n"
    "  fernwick-cli json format [--raw] FILE\n";

int run(std::span<const std::string_view> arguments);

const Command kCommand{"json", kUsage, run};

struct Request {
    std::string_view action;
    bool raw = false;
    bool convert = false;
    std::vector<std::string_view> operands;
};

// The file's bytes as the document sees them: UTF-8 converted to Text as a
// reply would be, or, with --raw, the bytes as they stand.
void parse_into(JsonDocument& document, const ByteBuffer& bytes, bool raw)
{
    if (raw)
        document.parseBytes(bytes);
    else
        document.parseText(utf8_to_ansi(bytes));
}

int print_nodes(const JsonDocument& document)
{
    for (int index = 1; index <= document.nodeCount(); ++index) {
        JsonNode node = document.nodeAt(index);
        print(text::decimal(index) + "\t" + text::decimal(node.level) + "\t" + text::decimal(node.kind) + "\t" + node.name + "\t"
              + node.value + "\n");
    }
    return kExitOk;
}

int run(std::span<const std::string_view> arguments)
{
    if (arguments.empty())
        return usage_error(kCommand, "json needs an action");
    Request request;
    request.action = arguments.front();
    for (std::string_view argument : arguments.subspan(1)) {
        if (argument == "--raw")
            request.raw = true;
        else if (argument == "--convert" && request.action == "get")
            request.convert = true;
        else if (argument.starts_with("--"))
            return usage_error(kCommand, Text("unknown option ") + text_from_argument(argument));
        else
            request.operands.push_back(argument);
    }
    const bool wants_path = request.action == "get" || request.action == "count";
    if (!wants_path && request.action != "nodes" && request.action != "format")
        return usage_error(kCommand, Text("unknown action ") + text_from_argument(request.action));
    if (request.operands.size() != (wants_path ? 2u : 1u))
        return usage_error(kCommand, Text("json ") + text_from_argument(request.action)
                                         + (wants_path ? " needs FILE and PATH" : " needs FILE"));

    std::optional<ByteBuffer> bytes = read_whole_file(request.operands[0]);
    if (!bytes)
        return kExitFailure;

    if (request.action == "format") {
        Text text = request.raw ? Text(*bytes) : utf8_to_ansi(*bytes);
        print(JsonDocument::formatText(text) + "\n");
        return kExitOk;
    }
    JsonDocument document;
    parse_into(document, *bytes, request.raw);
    if (request.action == "nodes")
        return print_nodes(document);

    Text path = text_from_argument(request.operands[1]);
    if (request.action == "count") {
        print(text::decimal(document.memberCount(path)) + "\n");
        return kExitOk;
    }
    int kind = 0;
    int node_index = 0;
    Text value = document.getValue(path, &kind, &node_index, request.convert);
    print(text::decimal(kind) + "\t" + text::decimal(node_index) + "\t" + value + "\n");
    return kExitOk;
}

} // namespace

Command json_command()
{
    return kCommand;
}

} // namespace fernwick::cli
