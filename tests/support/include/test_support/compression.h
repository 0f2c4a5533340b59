#pragma once

// Compressed test bodies made with zlib's own deflate functions.

#include <cstddef>

#include "platform/text.h"

namespace fernwick::testing_support {

// zlib's window-bits convention: 31 gzip, 8..15 zlib-wrapped, -15 raw deflate.
constexpr int kGzip = 31;
constexpr int kZlib = 15;
constexpr int kRawDeflate = -15;

ByteBuffer compress(const ByteBuffer& data, int window_bits, const ByteBuffer& dictionary = {});
// A gzip stream of `count` zero bytes, made without holding them all.
ByteBuffer gzip_of_zeros(std::size_t count);
// Varied bytes that compress, but not to almost nothing.
ByteBuffer sample_bytes(std::size_t count);

} // namespace fernwick::testing_support
