#include "inflate/inflater.h"

#include <zlib.h>

#include <climits>
#include <cstddef>
#include <new>

namespace fernwick {

namespace {

// The four zlib entries as the library defines them; zlib.h serves only for
// the stream record and the constants, every call goes through a bound entry.
using InflateInit2Entry = int (*)(z_streamp stream, int window_bits, const char* version, int stream_size);
using InflateInitEntry = int (*)(z_streamp stream, const char* version, int stream_size);
using InflateEntry = int (*)(z_streamp stream, int flush);
using InflateEndEntry = int (*)(z_streamp stream);

// The zlib interface the decoders were written against; later 1.x libraries accept it.
constexpr char kInterfaceVersion[] = "1.2.8";
constexpr int kStreamSize = static_cast<int>(sizeof(z_stream));
constexpr int kGzipOrZlibWindow = 15 + 32;
constexpr int kRawDeflateWindow = -15;
constexpr std::size_t kGrowthStep = 65536;
// A few compressed kilobytes can claim gigabytes; a body decoding to more
// than this is refused rather than allowed to exhaust memory.
constexpr std::size_t kMaxDecodedBytes = std::size_t{256} << 20;

// The zlib header test of RFC 1950: deflate method with a 32 KiB window and a
// check value that makes the first two bytes a multiple of 31.
bool has_zlib_header(const ByteBuffer& body)
{
    return body.size() >= 2 && body[0] == 0x78 && (body[0] * 256 + body[1]) % 31 == 0;
}

// Ends an initialised stream on every way out of a decoding.
class StreamEnder {
public:
    StreamEnder(z_stream& stream, InflateEndEntry end) : stream_(stream), end_(end) {}
    ~StreamEnder() { end_(&stream_); }
    StreamEnder(const StreamEnder&) = delete;
    StreamEnder& operator=(const StreamEnder&) = delete;

private:
    z_stream& stream_;
    InflateEndEntry end_;
};

} // namespace

enum class Inflater::Framing { gzip_or_zlib, zlib, raw };

Inflater::~Inflater()
{
    release();
}

bool Inflater::initialise()
{
    release();
    module_ = platform::LoadLibraryA("libz.so.1");
    inflate_ = platform::GetProcAddress(module_, "inflate");
    inflate_end_ = platform::GetProcAddress(module_, "inflateEnd");
    inflate_init2_ = platform::GetProcAddress(module_, "inflateInit2_");
    inflate_init_ = platform::GetProcAddress(module_, "inflateInit_");
    ready_ = inflate_ != nullptr && inflate_end_ != nullptr && inflate_init2_ != nullptr && inflate_init_ != nullptr;
    return ready_;
}

bool Inflater::ready() const
{
    return ready_;
}

ByteBuffer Inflater::decode_deflate(const ByteBuffer& body) const
{
    return decode(body, has_zlib_header(body) ? Framing::zlib : Framing::raw);
}

ByteBuffer Inflater::decode_gzip(const ByteBuffer& body) const
{
    return decode(body, Framing::gzip_or_zlib);
}

ByteBuffer Inflater::decode(const ByteBuffer& body, Framing framing) const
{
    if (!ready_ || body.empty() || body.size() > UINT_MAX)
        return {};
    const auto inflate_step = reinterpret_cast<InflateEntry>(inflate_);
    try {
        ByteBuffer output(kGrowthStep);
        z_stream stream{}; // zero-filled, so zlib uses its own allocator
        // A failed initialisation needs no check here: the first inflate call reports it.
        if (framing == Framing::zlib)
            reinterpret_cast<InflateInitEntry>(inflate_init_)(&stream, kInterfaceVersion, kStreamSize);
        else
            reinterpret_cast<InflateInit2Entry>(inflate_init2_)(
                &stream, framing == Framing::raw ? kRawDeflateWindow : kGzipOrZlibWindow, kInterfaceVersion,
                kStreamSize);
        const StreamEnder ender(stream, reinterpret_cast<InflateEndEntry>(inflate_end_));

        stream.next_in = const_cast<Bytef*>(body.data());
        stream.avail_in = static_cast<uInt>(body.size());
        std::size_t total = 0;
        std::size_t offered = kGrowthStep;
        for (;;) {
            stream.next_out = output.data() + total;
            stream.avail_out = static_cast<uInt>(offered);
            const int rc = inflate_step(&stream, Z_NO_FLUSH);
            if (rc != Z_OK && rc != Z_STREAM_END)
                return {};
            const std::size_t produced = offered - stream.avail_out;
            total += produced;
            if (total > kMaxDecodedBytes)
                return {};
            if (rc == Z_STREAM_END)
                return ByteBuffer(output.begin(), output.begin() + static_cast<std::ptrdiff_t>(total));
            if (produced == offered) {
                output.resize(output.size() + kGrowthStep);
                offered = kGrowthStep;
            } else {
                offered -= produced;
            }
        }
    } catch (const std::bad_alloc&) {
        return {};
    }
}

void Inflater::release()
{
    platform::FreeLibrary(module_);
    module_ = nullptr;
    inflate_init2_ = nullptr;
    inflate_init_ = nullptr;
    inflate_ = nullptr;
    inflate_end_ = nullptr;
    ready_ = false;
}

} // namespace fernwick
