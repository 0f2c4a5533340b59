#include "app/download.h"

#include <cmath>

#include "http/web_fetch.h"
#include "picture_file.h"
#include "platform/inet.h"
#include "platform/text_rules.h"

namespace fernwick {
namespace {

// The status code of a raw response header block ("HTTP/1.1 200 OK" ...),
// 0 when the block holds no status line.
int status_code(const Text& headers)
{
    if (!headers.view().starts_with("HTTP/"))
        return 0;
    const int space = text::find(headers, " ");
    return space == -1 ? 0 : text::leading_int(headers.view().substr(static_cast<std::size_t>(space)));
}

// The reply body of one picture. A reply whose status is not 2xx counts as
// a failed request (empty bytes), so an error page is never saved as a picture.
ByteBuffer fetch_picture(Text& address)
{
    Text headers;
    ByteBuffer body = web_fetch(address, {.headers_out = &headers});
    const int status = status_code(headers);
    if (status < 200 || status > 299)
        return {};
    return body;
}

} // namespace

int progress_position(int done, int total)
{
    if (total <= 0)
        return 0;
    const double position = std::trunc(static_cast<double>(done) / total * 100);
    return position < 0 ? 0 : position > 100 ? 100 : static_cast<int>(position);
}

void download_worker(DownloadRun& run, MainWindowView& view, const std::atomic<bool>& stopping)
{
    const int count = run.picture_urls.count();
    for (int i = 1; i <= count; ++i) {
        const Text path = run.folder + "/" + text::decimal(i) + ".jpg";
        ByteBuffer body = fetch_picture(run.picture_urls.at(i));
        if (stopping)
            return;
        write_picture_file(path, body);
        view.set_caption(Control::标签3, Text("正在下载  ") + text::decimal(i) + "/" + run.picture_count_text);
        view.set_position(Control::进度条1, progress_position(i, text::leading_int(run.picture_count_text)));
    }
    if (stopping)
        return;
    view.set_page(Control::高级选择夹1, 0);
    view.set_caption(Control::标签3, Text("下载完毕  ") + run.picture_count_text);
}

void start_download(AppState& state, MainWindowView& view, DownloadWorkers& workers)
{
    view.set_page(Control::高级选择夹1, 1);
    view.set_caption(Control::标签3, Text("正在下载  1/") + state.picture_count_text);
    workers.start(DownloadRun{state.PictureUrlList, state.picture_count_text, view.text(Control::编辑框2)}, view);
}

DownloadWorkers::~DownloadWorkers()
{
    stop_all();
}

void DownloadWorkers::start(DownloadRun run, MainWindowView& view)
{
    std::lock_guard lock(mutex_);
    join_finished();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([this, run = std::move(run), &view, finished]() mutable {
        download_worker(run, view, stopping_);
        *finished = true;
    });
    workers_.push_back({std::move(thread), std::move(finished)});
}

void DownloadWorkers::join_finished()
{
    std::erase_if(workers_, [](Worker& worker) {
        if (!*worker.finished)
            return false;
        worker.thread.join();
        return true;
    });
}

void DownloadWorkers::wait_all()
{
    std::vector<Worker> running;
    {
        std::lock_guard lock(mutex_);
        running.swap(workers_);
    }
    for (Worker& worker : running)
        worker.thread.join();
}

void DownloadWorkers::stop_all()
{
    {
        std::lock_guard lock(mutex_);
        if (workers_.empty())
            return;
    }
    stopping_ = true;
    platform::abort_all_transfers();
    wait_all();
    platform::allow_transfers();
    stopping_ = false;
}

} // namespace fernwick
