#include "json/text_builder.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "up_to_zero.h"

namespace fernwick {

namespace {

std::size_t size_of(int value)
{
    return static_cast<std::size_t>(value);
}

// A position that may count back from the end of a text of `length` bytes.
long long resolved(int position, std::size_t length)
{
    return position < 0 ? position + static_cast<long long>(length) : position;
}

} // namespace

TextBuilder::TextBuilder()
{
    clear();
}

bool TextBuilder::clear()
{
    if (block_.size() != size_of(blockSize_))
        resizeBlock(size_of(blockSize_));
    // Everything after the text is zero already.
    std::fill_n(block_.begin(), std::min(length_, block_.size()), '\0');
    length_ = 0;
    return true;
}

int TextBuilder::setBlockSize(int size)
{
    if (size < kMinimumBlockSize)
        return blockSize_;
    blockSize_ = size;
    const std::size_t wanted = size_of(size);
    if (block_.size() < wanted)
        resizeBlock(wanted);
    else if (block_.size() - length_ < wanted)
        resizeBlock(length_ + wanted);
    return blockSize_;
}

bool TextBuilder::compact()
{
    const std::size_t spare = block_.size() - length_;
    const std::size_t slack = size_of(blockSize_);
    if (spare < slack || spare > slack + 1024)
        resizeBlock(length_ + slack);
    return true;
}

Text TextBuilder::getText(int start, int length) const
{
    const auto count = static_cast<long long>(length_);
    if (length < 0 || start >= count)
        return {};
    const long long first = start < 0 ? std::max(0LL, start + count) : start;
    long long taken = count - first;
    if (length != 0 && length < taken)
        taken = length;
    return Text(textView().substr(static_cast<std::size_t>(first), static_cast<std::size_t>(taken)));
}

Text TextBuilder::text() const
{
    return Text(textView());
}

ByteBuffer TextBuilder::getBytes(int start, int length) const
{
    return getText(start, length).to_bytes();
}

ByteBuffer TextBuilder::toBytes() const
{
    return ByteBuffer(block_.begin(), block_.begin() + static_cast<std::ptrdiff_t>(length_));
}

ByteBuffer TextBuilder::blockBytes() const
{
    return ByteBuffer(block_.begin(), block_.end());
}

void TextBuilder::setText(std::string_view text)
{
    text = up_to_zero(text);
    // A text taken from the block ends before its zero tail, so it always
    // fits and the block does not move under it.
    reserveText(text.size());
    if (!text.empty())
        std::memmove(block_.data(), text.data(), text.size());
    if (length_ > text.size())
        std::fill(block_.begin() + static_cast<std::ptrdiff_t>(text.size()),
                  block_.begin() + static_cast<std::ptrdiff_t>(length_), '\0');
    length_ = text.size();
}

bool TextBuilder::append(std::string_view text)
{
    text = up_to_zero(text);
    if (text.empty())
        return false;
    std::string kept;
    if (length_ + text.size() + 1 > block_.size() && liesInBlock(text)) {
        kept.assign(text);
        text = kept;
    }
    reserveText(length_ + text.size());
    std::memcpy(block_.data() + length_, text.data(), text.size());
    length_ += text.size();
    return true;
}

bool TextBuilder::insert(int position, std::string_view text)
{
    text = up_to_zero(text);
    const long long at = resolved(position, length_);
    if (text.empty() || at < 0 || at > static_cast<long long>(length_))
        return false;
    replaceBytes(static_cast<std::size_t>(at), static_cast<std::size_t>(at), text);
    return true;
}

bool TextBuilder::remove(int position, int count)
{
    const long long at = resolved(position, length_);
    if (count < 0 || at < 0 || at >= static_cast<long long>(length_))
        return false;
    const auto first = static_cast<std::size_t>(at);
    const std::size_t last = count == 0 ? length_ : std::min(length_, first + size_of(count));
    replaceBytes(first, last, {});
    return true;
}

bool TextBuilder::replaceRange(int start, int length, std::string_view text)
{
    if (start < 0 || size_of(start) > length_)
        return false;
    const auto first = size_of(start);
    const std::size_t last = length <= 0 ? length_ : std::min(length_, first + size_of(length));
    replaceBytes(first, last, up_to_zero(text));
    return true;
}

bool TextBuilder::appendLine(std::string_view text)
{
    std::string line(up_to_zero(text));
    line += "\r\n";
    return append(line);
}

bool TextBuilder::liesInBlock(std::string_view bytes) const
{
    const std::less_equal<const char*> not_after;
    return not_after(block_.data(), bytes.data()) && not_after(bytes.data(), block_.data() + block_.size());
}

void TextBuilder::resizeBlock(std::size_t size)
{
    const bool shrinking = size < block_.size();
    block_.resize(size);
    if (shrinking)
        block_.shrink_to_fit();
}

void TextBuilder::reserveText(std::size_t textLength)
{
    if (textLength + 1 > block_.size())
        resizeBlock(textLength + size_of(blockSize_));
}

void TextBuilder::replaceBytes(std::size_t first, std::size_t last, std::string_view text)
{
    const std::string_view current = textView();
    std::string replaced;
    replaced.reserve(current.size() - (last - first) + text.size());
    replaced.append(current.substr(0, first)).append(text).append(current.substr(last));
    setText(replaced);
}

} // namespace fernwick
