// Writes an album-list reply for the download benchmarks:
//   fernwick_bench_reply POSTS PICTURES ADDRESS_PREFIX > reply.json

#include <cstdio>
#include <cstdlib>
#include <string>

#include "album_reply.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: fernwick_bench_reply POSTS PICTURES ADDRESS_PREFIX\n", stderr);
        return 2;
    }
    const std::string reply = fernwick::bench::album_reply(std::atoi(argv[1]), std::atoi(argv[2]), argv[3]);
    std::fwrite(reply.data(), 1, reply.size(), stdout);
    return 0;
}
