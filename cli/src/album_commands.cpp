#include "album_commands.h"

#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

#include "app/app_state.h"
#include "app/download.h"
#include "app/identification.h"
#include "command_line_view.h"
#include "diagnostic_options.h"
#include "terminal.h"

namespace fernwick::cli {
namespace {

int run_identify(std::span<const std::string_view> arguments);
int run_list(std::span<const std::string_view> arguments);
int run_download(std::span<const std::string_view> arguments);

const Command kIdentify{"identify", "  fernwick-cli identify TEXT\n", run_identify};
const Command kList{"list", "  fernwick-cli list [--connect-to HOST:PORT:HOST2:PORT2]... [--cacert FILE] TEXT\n",
                    run_list};
const Command kDownload{"download",
                        "  fernwick-cli download [--out DIR] [--trace] [--connect-to HOST:PORT:HOST2:PORT2]... "
                        "[--cacert FILE] [--no-connection-reuse] TEXT\n",
                        run_download};

// The options of list and download.
struct AlbumRequest {
    DiagnosticOptions diagnostics;
    std::optional<std::string_view> out;
    bool trace = false;
    std::optional<std::string_view> address;
};

// Parses the arguments; returns the exit status of a usage error, or nothing.
std::optional<int> parse(const Command& command, std::span<const std::string_view> arguments, bool downloads,
                         AlbumRequest& request)
{
    for (std::size_t index = 0; index < arguments.size();) {
        const std::string_view argument = arguments[index];
        bool missing_value = false;
        if (request.diagnostics.take(arguments, index, missing_value)) {
            if (missing_value)
                return usage_error(command, Text(argument) + " needs a value");
        } else if (downloads && argument == "--trace") {
            request.trace = true;
            ++index;
        } else if (downloads && argument == "--out") {
            if (index + 1 >= arguments.size())
                return usage_error(command, "--out needs a folder");
            request.out = arguments[index + 1];
            index += 2;
        } else if (argument.starts_with("--") && argument.size() > 2) {
            return usage_error(command, Text("unknown option ") + text_from_argument(argument));
        } else if (request.address) {
            return usage_error(command, "only one TEXT may be given");
        } else {
            request.address = argument;
            ++index;
        }
    }
    if (!request.address)
        return usage_error(command, "TEXT is missing");
    return std::nullopt;
}

bool is_writable_folder(std::string_view path)
{
    std::error_code error;
    return std::filesystem::is_directory(std::filesystem::path(path), error)
        && ::access(std::string(path).c_str(), W_OK | X_OK) == 0;
}

// Runs identification and discovery for the address as the window would.
std::unique_ptr<AppState> identify(CommandLineView& view)
{
    std::unique_ptr<AppState> state = app_state_init();
    identify_uploader(*state, view);
    return state;
}

int run_identify(std::span<const std::string_view> arguments)
{
    if (arguments.size() != 1)
        return usage_error(kIdentify, "identify needs exactly one TEXT");
    print(uploader_id_of(text_from_argument(arguments[0])) + "\n");
    return kExitOk;
}

int run_list(std::span<const std::string_view> arguments)
{
    AlbumRequest request;
    if (std::optional<int> status = parse(kList, arguments, false, request))
        return *status;
    request.diagnostics.apply();
    SilentView view(text_from_argument(*request.address), Text());
    std::unique_ptr<AppState> state = identify(view);
    for (const Text& address : state->PictureUrlList)
        print(address + "\n");
    app_state_release(state);
    return kExitOk;
}

int run_download(std::span<const std::string_view> arguments)
{
    AlbumRequest request;
    if (std::optional<int> status = parse(kDownload, arguments, true, request))
        return *status;
    const std::string_view folder = request.out.value_or(".");
    if (!is_writable_folder(folder))
        return usage_error(kDownload, Text("'") + text_from_argument(folder) + "' is not a writable folder");
    request.diagnostics.apply();

    const Text address = text_from_argument(*request.address);
    const Text folder_text = text_from_argument(folder);
    std::unique_ptr<CommandLineView> view;
    if (request.trace)
        view = std::make_unique<TraceView>(address, folder_text);
    else
        view = std::make_unique<ProgressView>(address, folder_text);

    std::unique_ptr<AppState> state = identify(*view);
    DownloadWorkers workers;
    start_download(*state, *view, workers);
    workers.wait_all();
    app_state_release(state);
    return kExitOk;
}

} // namespace

Command identify_command()
{
    return kIdentify;
}

Command list_command()
{
    return kList;
}

Command download_command()
{
    return kDownload;
}

} // namespace fernwick::cli
