#pragma once

// A growable code-page-936 text kept in one zero-filled block, for cheap
// repeated appending: the JSON document collects every key and value into
// one builder a byte at a time.
//
// The block grows only when the text and its terminating zero byte would no
// longer fit, and then to the new text length plus `blockSize` bytes of
// slack; every byte after the text is zero. A builder always holds a block
// from construction to destruction: running out of memory throws
// std::bad_alloc out of the failing call.
//
// Texts passed in end at their first zero byte, as zero-terminated texts do,
// so the builder's text never holds one. Positions are 0-based byte offsets.

#include <cstddef>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/list.h"
#include "platform/text.h"

namespace fernwick {

class TextBuilder {
public:
    static constexpr int kDefaultBlockSize = 2048;
    static constexpr int kMinimumBlockSize = 1024;
    static constexpr int kMaximumFormatValues = 15;

    // An empty text in a first block of kDefaultBlockSize bytes.
    TextBuilder();
    // Nothing in the program copies a builder.
    TextBuilder(const TextBuilder&) = delete;
    TextBuilder& operator=(const TextBuilder&) = delete;

    // Empties the text and keeps one block of exactly `blockSize` bytes,
    // all zero. Always true: the block is never missing.
    bool clear();
    // Raises `blockSize` to `size` (values below kMinimumBlockSize change
    // nothing) and reserves room: a block smaller than `size` grows to `size`
    // bytes, one with less than `size` spare bytes to the text length plus
    // `size`. Returns the resulting `blockSize`.
    int setBlockSize(int size);

    // The block's bytes: the text followed by zero bytes.
    const char* data() const { return block_.data(); }
    int length() const { return static_cast<int>(length_); }
    // The size of the block in bytes.
    int capacity() const { return static_cast<int>(block_.size()); }
    // Re-sizes the block to length + `blockSize` when its spare room is below
    // `blockSize` or above `blockSize` + 1024 bytes. True: a block exists.
    bool compact();

    // Up to `length` bytes from `start` (0: to the end). A negative `start`
    // counts back from the end, stopping at the beginning; a negative
    // `length` or a `start` at or beyond the end gives the empty text.
    Text getText(int start = 0, int length = 0) const;
    Text text() const;
    ByteBuffer getBytes(int start = 0, int length = 0) const;
    ByteBuffer toBytes() const;
    // The whole block, zero tail included.
    ByteBuffer blockBytes() const;

    // Replaces the text, zeroing whatever of the old text lay beyond it.
    void setText(std::string_view text);
    // False, changing nothing, for the empty text.
    bool append(std::string_view text);
    // Inserts before `position` (negative: counted from the end). False when
    // the position lies outside the text or the text is empty.
    bool insert(int position, std::string_view text);
    // Deletes `count` bytes at `position` (count 0: to the end; negative
    // position: counted from the end). False when the position is not inside
    // the text or the count is negative.
    bool remove(int position, int count);
    // Formats numbers and zero-terminated texts (const char*) the way the C
    // library's sprintf does in the "C" locale and appends the result; false
    // when nothing was appended.
    template <class... Values>
        requires((std::is_arithmetic_v<Values> || std::is_pointer_v<Values>) && ...)
    bool appendFormat(const char* format, Values... values)
    {
        static_assert(sizeof...(Values) <= kMaximumFormatValues, "appendFormat takes up to 15 values");
        return appendFormatted(format, values...);
    }
    // Appends the text followed by CR LF.
    bool appendLine(std::string_view text);

    // Offset of the last or first (at or after `start`) occurrence of
    // `needle`, -1 when there is none. A match never starts on the second
    // byte of a double-byte character; `ignoreCase` folds ASCII letters only.
    int findLast(std::string_view needle, bool ignoreCase = false) const;
    int find(std::string_view needle, int start = 0, bool ignoreCase = false) const;

    // In-place edits that return the resulting text. The width conversions
    // cover digits, letters and the space; full-width forms are the
    // double-byte characters 0xA3 0xB0... and the full-width space 0xA1 0xA1.
    Text toHalfWidth();
    Text toFullWidth();
    // Spaces are ASCII and full-width spaces.
    Text removeSpaces();
    Text trimRight();
    Text trimLeft();
    Text trim();
    // ASCII letters only.
    void toUpper();
    void toLower();

    // Replaces the text with a file's bytes (up to the first zero byte);
    // false when the file cannot be opened.
    bool loadFile(const Text& path);
    // Creates or truncates the file and writes the text; true when bytes
    // were written.
    bool saveFile(const Text& path) const;

    // Accepts the arguments of `split` and leaves the text and `pieces`
    // untouched; returns 0.
    int splitPlaceholder(TextList& pieces, std::string_view separator = ",") const;
    // Replaces `pieces` with the pieces of the text between the separators
    // (the text rules' split) and returns their number.
    int split(TextList& pieces, std::string_view separator = ",") const;
    // Replaces `length` bytes at `start` (0 or less: to the end) with `text`;
    // an empty text deletes the range. False when `start` lies outside
    // 0..length.
    bool replaceRange(int start, int length, std::string_view text);

private:
    std::string_view textView() const { return {block_.data(), length_}; }
    bool appendFormatted(const char* format, ...);
    // True when `bytes` lie in the block, which growing moves.
    bool liesInBlock(std::string_view bytes) const;
    // Re-sizes the block keeping its bytes; new bytes are zero.
    void resizeBlock(std::size_t size);
    // Makes room for a text of `textLength` bytes plus its terminator,
    // growing the block to `textLength` + `blockSize` when it is too small.
    void reserveText(std::size_t textLength);
    // Replaces the text and returns a copy of it.
    Text rewrite(std::string_view rewritten);
    // The text with the bytes from `first` up to `last` replaced by `text`.
    void replaceBytes(std::size_t first, std::size_t last, std::string_view text);

    int blockSize_ = kDefaultBlockSize;
    std::vector<char> block_;
    std::size_t length_ = 0;
};

} // namespace fernwick
