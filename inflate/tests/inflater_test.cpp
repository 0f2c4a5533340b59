#include "inflate/inflater.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "test_support/compression.h"
#include "test_support/printing.h"

namespace fernwick {
namespace {

using testing_support::compress;
using testing_support::kGzip;
using testing_support::kRawDeflate;
using testing_support::kZlib;
using testing_support::sample_bytes;

ByteBuffer bytes_of(std::string_view text)
{
    return ByteBuffer(text.begin(), text.end());
}

const ByteBuffer kGreeting = bytes_of("The quick brown fox jumps over the lazy dog, again and again and again.");

ByteBuffer with_byte(ByteBuffer bytes, std::size_t position, std::uint8_t value)
{
    bytes.at(position) = value;
    return bytes;
}

ByteBuffer first_bytes(const ByteBuffer& bytes, std::size_t count)
{
    return ByteBuffer(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

enum class Decoder { gzip, deflate };

struct DecodeCase {
    std::string name;
    Decoder decoder;
    ByteBuffer body;
    ByteBuffer expected; // empty: the decoding must fail
};

void PrintTo(const DecodeCase& c, std::ostream* os)
{
    *os << testing_support::escaped(c.name);
}

std::vector<DecodeCase> decode_cases()
{
    const ByteBuffer gzip = compress(kGreeting, kGzip);
    const ByteBuffer long_sample = sample_bytes(200000);
    const ByteBuffer one_buffer = sample_bytes(65536);
    const ByteBuffer two_buffers = sample_bytes(131072);
    // The CRC-32 trailer of a gzip stream sits 8 bytes before its end.
    const std::size_t crc_position = gzip.size() - 8;
    return {
        {"gzip", Decoder::gzip, gzip, kGreeting},
        {"zlib_through_gzip", Decoder::gzip, compress(kGreeting, kZlib), kGreeting},
        {"small_window_zlib_through_gzip", Decoder::gzip, compress(kGreeting, 13), kGreeting},
        {"raw_deflate", Decoder::deflate, compress(kGreeting, kRawDeflate), kGreeting},
        {"zlib_with_0x78_header", Decoder::deflate, compress(kGreeting, kZlib), kGreeting},
        // A 8 KiB window gives the first byte 0x58: not the zlib test, so the raw path, which fails.
        {"zlib_with_0x58_header_takes_the_raw_path", Decoder::deflate, compress(kGreeting, 13), {}},
        {"gzip_through_deflate", Decoder::deflate, gzip, {}},
        {"longer_than_one_buffer_gzip", Decoder::gzip, compress(long_sample, kGzip), long_sample},
        {"longer_than_one_buffer_deflate", Decoder::deflate, compress(long_sample, kRawDeflate), long_sample},
        {"exactly_one_buffer_gzip", Decoder::gzip, compress(one_buffer, kGzip), one_buffer},
        {"exactly_one_buffer_deflate", Decoder::deflate, compress(one_buffer, kZlib), one_buffer},
        {"exactly_two_buffers_gzip", Decoder::gzip, compress(two_buffers, kGzip), two_buffers},
        {"truncated_gzip", Decoder::gzip, first_bytes(gzip, gzip.size() / 2), {}},
        {"gzip_without_its_trailer", Decoder::gzip, first_bytes(gzip, gzip.size() - 8), {}},
        {"truncated_deflate", Decoder::deflate,
         first_bytes(compress(long_sample, kRawDeflate), 1000), {}},
        {"gzip_with_a_wrong_checksum", Decoder::gzip,
         with_byte(gzip, crc_position, static_cast<std::uint8_t>(gzip[crc_position] ^ 0xFF)), {}},
        {"gzip_with_an_unknown_method", Decoder::gzip, with_byte(gzip, 2, 7), {}},
        {"deflate_with_an_invalid_block_type", Decoder::deflate, bytes_of("\x07\x00\x00\x00"), {}},
        {"zlib_needing_a_dictionary", Decoder::deflate, compress(kGreeting, kZlib, bytes_of("quick brown")), {}},
        {"single_0x78_byte", Decoder::deflate, bytes_of("\x78"), {}},
        {"empty_gzip", Decoder::gzip, {}, {}},
        {"empty_deflate", Decoder::deflate, {}, {}},
        {"gzip_of_nothing", Decoder::gzip, compress({}, kGzip), {}},
        {"deflate_of_nothing", Decoder::deflate, compress({}, kRawDeflate), {}},
        {"plain_text_through_gzip", Decoder::gzip, kGreeting, {}},
    };
}

class InflaterDecoding : public ::testing::TestWithParam<DecodeCase> {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(inflater.initialise()); }
    static Inflater inflater;
};

Inflater InflaterDecoding::inflater;

TEST_P(InflaterDecoding, GivesTheDecodedBytesOrNothing)
{
    const DecodeCase& c = GetParam();
    const ByteBuffer decoded =
        c.decoder == Decoder::gzip ? inflater.decode_gzip(c.body) : inflater.decode_deflate(c.body);
    EXPECT_EQ(decoded.size(), c.expected.size());
    EXPECT_TRUE(decoded == c.expected);
}

std::string case_name(const ::testing::TestParamInfo<DecodeCase>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Bodies, InflaterDecoding, ::testing::ValuesIn(decode_cases()), case_name);

TEST(Inflater, BindsTheSystemZlib)
{
    Inflater inflater;
    EXPECT_FALSE(inflater.ready());
    EXPECT_TRUE(inflater.initialise());
    EXPECT_TRUE(inflater.ready());
    // A second initialisation rebinds without leaking the first load.
    EXPECT_TRUE(inflater.initialise());
    EXPECT_EQ(inflater.decode_gzip(compress(kGreeting, kGzip)), kGreeting);
}

TEST(Inflater, DecodesNothingBeforeItIsInitialised)
{
    const Inflater inflater;
    EXPECT_TRUE(inflater.decode_gzip(compress(kGreeting, kGzip)).empty());
    EXPECT_TRUE(inflater.decode_deflate(compress(kGreeting, kRawDeflate)).empty());
}

TEST(Inflater, RefusesABodyThatDecodesToMoreThan256MiB)
{
    Inflater inflater;
    ASSERT_TRUE(inflater.initialise());
    constexpr std::size_t kLimit = std::size_t{256} << 20;
    EXPECT_TRUE(inflater.decode_gzip(testing_support::gzip_of_zeros(kLimit + 1)).empty());
    EXPECT_EQ(inflater.decode_gzip(testing_support::gzip_of_zeros(kLimit)).size(), kLimit);
}

} // namespace
} // namespace fernwick
