#include "test_support/compression.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace fernwick::testing_support {

namespace {

class Deflater {
public:
    Deflater(int window_bits, int level)
    {
        if (deflateInit2(&stream_, level, Z_DEFLATED, window_bits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("deflateInit2 failed");
    }
    ~Deflater() { deflateEnd(&stream_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    void set_dictionary(const ByteBuffer& dictionary)
    {
        if (deflateSetDictionary(&stream_, dictionary.data(), static_cast<uInt>(dictionary.size())) != Z_OK)
            throw std::runtime_error("deflateSetDictionary failed");
    }

    void feed(const ByteBuffer& data, bool last)
    {
        stream_.next_in = const_cast<Bytef*>(data.data());
        stream_.avail_in = static_cast<uInt>(data.size());
        const int flush = last ? Z_FINISH : Z_NO_FLUSH;
        int rc = Z_OK;
        do {
            Bytef chunk[16384];
            stream_.next_out = chunk;
            stream_.avail_out = sizeof chunk;
            rc = deflate(&stream_, flush);
            if (rc == Z_STREAM_ERROR)
                throw std::runtime_error("deflate failed");
            out_.insert(out_.end(), chunk, chunk + (sizeof chunk - stream_.avail_out));
        } while (stream_.avail_out == 0 || (last && rc != Z_STREAM_END));
    }

    const ByteBuffer& output() const { return out_; }

private:
    z_stream stream_{};
    ByteBuffer out_;
};

} // namespace

ByteBuffer compress(const ByteBuffer& data, int window_bits, const ByteBuffer& dictionary)
{
    Deflater deflater(window_bits, Z_BEST_COMPRESSION);
    if (!dictionary.empty())
        deflater.set_dictionary(dictionary);
    deflater.feed(data, true);
    return deflater.output();
}

ByteBuffer gzip_of_zeros(std::size_t count)
{
    Deflater deflater(kGzip, Z_BEST_SPEED);
    const ByteBuffer zeros(std::size_t{1} << 20);
    while (count > zeros.size()) {
        deflater.feed(zeros, false);
        count -= zeros.size();
    }
    deflater.feed(ByteBuffer(count), true);
    return deflater.output();
}

ByteBuffer sample_bytes(std::size_t count)
{
    ByteBuffer bytes(count);
    std::uint32_t state = 12345;
    std::generate(bytes.begin(), bytes.end(), [&state] {
        state = state * 1103515245 + 12345;
        return static_cast<std::uint8_t>('a' + (state >> 16) % 16);
    });
    return bytes;
}

} // namespace fernwick::testing_support
