#pragma once

// The program-wide decoder of gzip- and deflate-encoded response bodies. It
// binds four zlib entry points when initialised and keeps nothing per call.

#include "platform/library.h"
#include "platform/text.h"

namespace fernwick {

class Inflater {
public:
    Inflater() = default;
    ~Inflater();
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Binds inflateInit2_, inflateInit_, inflate and inflateEnd; returns ready().
    bool initialise();
    bool ready() const;

    // The decoded bytes, or the empty buffer on any failure.
    ByteBuffer decode_deflate(const ByteBuffer& body) const;
    ByteBuffer decode_gzip(const ByteBuffer& body) const;

private:
    enum class Framing;
    ByteBuffer decode(const ByteBuffer& body, Framing framing) const;
    void release();

    platform::LibraryFunction inflate_init2_ = nullptr;
    platform::LibraryFunction inflate_init_ = nullptr;
    platform::LibraryFunction inflate_ = nullptr;
    platform::LibraryFunction inflate_end_ = nullptr;
    platform::LibraryHandle module_ = nullptr;
    bool ready_ = false;
};

} // namespace fernwick
