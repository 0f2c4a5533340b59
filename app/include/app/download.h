#pragma once

// The download of the discovered album: each picture address is fetched in
// turn on a worker thread and written as 1.jpg, 2.jpg, ... into the save folder.

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/main_window_view.h"

namespace fernwick {

// What one run works on. It is taken when the run starts, so that a new
// identification, which empties and refills the program's list, never
// touches a run in progress; completed addresses land in this copy.
struct DownloadRun {
    TextList picture_urls;
    Text picture_count_text;
    Text folder;
};

// The running download workers. Closing the program stops them: the
// transfer in progress is aborted, its picture is not written, and the
// program waits for every worker before its state is released.
class DownloadWorkers {
public:
    DownloadWorkers() = default;
    ~DownloadWorkers();
    DownloadWorkers(const DownloadWorkers&) = delete;
    DownloadWorkers& operator=(const DownloadWorkers&) = delete;

    void start(DownloadRun run, MainWindowView& view);
    // Waits for the runs to end by themselves.
    void wait_all();
    // Aborts the runs and waits for them.
    void stop_all();

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    void join_finished();

    std::mutex mutex_;
    std::vector<Worker> workers_;
    std::atomic<bool> stopping_{false};
};

// The handler of "开始下载": shows the "下载" page and the first progress
// caption, then starts a worker over the current list and returns.
void start_download(AppState& state, MainWindowView& view, DownloadWorkers& workers);

// One run, from the first picture to "下载完毕  ". Returns early, writing
// nothing more, once `stopping` is set.
void download_worker(DownloadRun& run, MainWindowView& view, const std::atomic<bool>& stopping);

// The progress bar's position after picture `done` of `total`: the quotient
// in floating point times 100, truncated, kept within 0 to 100.
int progress_position(int done, int total);

} // namespace fernwick
