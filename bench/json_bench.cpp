// Discovery and parsing on an album-list reply of 9,999 posts and 30,000
// pictures. Prints one line per measurement: a key, the median in seconds,
// and the number of runs it is the median of.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <rapidjson/document.h>
#include <string>
#include <vector>

#include "album_reply.h"
#include "json/json_document.h"
#include "path_scan.h"
#include "platform/text_rules.h"

namespace fernwick::bench {
namespace {

constexpr int kPosts = 9999;
constexpr int kPictures = 30000;
// A measurement that takes longer than this once is not repeated.
constexpr double kRepeatBelowSeconds = 3.0;

template <class Work>
double seconds_of(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// `measure` runs once and returns the seconds it counts.
template <class Measure>
void report(const char* key, int runs, Measure&& measure)
{
    std::vector<double> times{measure()};
    if (times.front() < kRepeatBelowSeconds) {
        while (static_cast<int>(times.size()) < runs)
            times.push_back(measure());
    }
    std::sort(times.begin(), times.end());
    std::printf("%s %.6f %zu\n", key, times[times.size() / 2], times.size());
    std::fflush(stdout);
}

// The queries of discovery, in its order, answered by `queries`.
template <class Queries>
TextList discover(const Queries& queries)
{
    TextList addresses;
    const int posts = queries.memberCount("data.items");
    for (int i = 1; i <= posts; ++i) {
        const Text post = Text("data.items[") + text::decimal(i - 1) + "].pictures";
        const int pictures = queries.memberCount(post);
        for (int j = 1; j <= pictures; ++j)
            addresses.append(queries.getValue(post + "[" + text::decimal(j - 1) + "].img_src"));
    }
    return addresses;
}

// The same queries answered by scanning a copy of the node list from the
// start, as queries did before the index.
class ScanQueries {
public:
    explicit ScanQueries(const JsonDocument& document) { document.copyNodes(nodes_); }

    Text getValue(const Text& path) const { return value(path, nullptr); }

    int memberCount(const Text& path) const
    {
        int kind = json_kind::kOther;
        const Text found = value(path, &kind);
        if (kind != json_kind::kObject && kind != json_kind::kArray)
            return 0;
        return text::leading_int(text::mid(found, 3, found.length() - 4));
    }

private:
    Text value(const Text& path, int* kind) const
    {
        const int index = scan_for_path(nodes_, split_path(path));
        if (index == 0)
            return {};
        if (kind != nullptr)
            *kind = nodes_.at(index).kind;
        return nodes_.at(index).value;
    }

    List<JsonNode> nodes_;
};

int run()
{
    const Text reply(album_reply(kPosts, kPictures, "https://i0.hdslb.com/bfs/album/"));
    std::printf("reply_bytes %d 1\n", reply.length());

    TextList indexed;
    report("discovery_index", 7, [&] {
        return seconds_of([&] {
            JsonDocument document;
            document.parseText(reply);
            indexed = discover(document);
        });
    });
    if (indexed.count() != kPictures) {
        std::fprintf(stderr, "discovery found %d pictures instead of %d\n", indexed.count(), kPictures);
        return 1;
    }

    // The node list's copy is the benchmark's own cost and is not counted.
    TextList scanned;
    report("discovery_scan", 3, [&] {
        JsonDocument document;
        const double parsing = seconds_of([&] { document.parseText(reply); });
        const ScanQueries queries(document);
        return parsing + seconds_of([&] { scanned = discover(queries); });
    });
    if (!(scanned == indexed)) {
        std::fputs("the scan and the index found different addresses\n", stderr);
        return 1;
    }

    report("parse_fernwick", 9, [&] {
        JsonDocument document;
        return seconds_of([&] { document.parseText(reply); });
    });
    report("parse_rapidjson", 9, [&] {
        rapidjson::Document document;
        const double parsing
            = seconds_of([&] { document.Parse(reply.c_str(), static_cast<std::size_t>(reply.length())); });
        if (document.HasParseError())
            std::fputs("RapidJSON could not parse the reply\n", stderr);
        return parsing;
    });
    return 0;
}

} // namespace
} // namespace fernwick::bench

int main()
{
    return fernwick::bench::run();
}
