#include "MemoryStream.h"

#include "Exception.h"

#include <algorithm>
#include <cstring>
#include <string>

void TMemoryStream::SetSize(std::size_t size) {
    if (size == size_) return;
    std::unique_ptr<std::uint8_t[]> block;
    if (size > 0) {
        // Left uninitialised: a stream is sized to be filled, and clearing a
        // frame-sized block first would cost as much as the fill itself.
        block.reset(new std::uint8_t[size]);
        const std::size_t kept = std::min(size, size_);
        if (kept > 0) std::memcpy(block.get(), data_.get(), kept);
    }
    data_ = std::move(block);
    size_ = size;
    position_ = std::min(position_, size_);
}

void TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0) return;
    if (position_ > SIZE_MAX - count) {
        throw Exception("memory stream write of " + std::to_string(count) + " bytes at position " +
                        std::to_string(position_) + " exceeds the addressable size");
    }
    const std::size_t end = position_ + count;
    if (end > size_) {
        const std::size_t oldSize = size_;
        const std::size_t position = position_;
        SetSize(end);
        if (position > oldSize) std::memset(data_.get() + oldSize, 0, position - oldSize);
        position_ = position;
    }
    std::memcpy(data_.get() + position_, buffer, count);
    position_ = end;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) noexcept {
    if (position_ >= size_) return 0;
    const std::size_t n = std::min(count, size_ - position_);
    if (n > 0) std::memcpy(buffer, data_.get() + position_, n);
    position_ += n;
    return n;
}
