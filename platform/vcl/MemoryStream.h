#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// A stream of bytes held in one block of memory, exactly as long as was set
// or written.
class TMemoryStream {
public:
    TMemoryStream() = default;
    TMemoryStream(const TMemoryStream&) = delete;
    TMemoryStream& operator=(const TMemoryStream&) = delete;

    std::size_t Size() const noexcept { return size_; }
    // Makes the stream exactly `size` bytes long, keeping the bytes it already
    // had up to that length; the bytes it gains hold no particular value until
    // written. A position past the new end moves to the end.
    void SetSize(std::size_t size);

    std::size_t Position() const noexcept { return position_; }
    // Any position is allowed; a write past the end grows the stream.
    void SetPosition(std::size_t position) noexcept { position_ = position; }

    // The address of the block (null while the stream is empty).
    void* Memory() noexcept { return data_.get(); }
    const void* Memory() const noexcept { return data_.get(); }

    // Copies `count` bytes to the stream at its position, growing it when
    // needed (a gap before the position is zeroed), and moves the position past them.
    void Write(const void* buffer, std::size_t count);
    // Copies up to `count` bytes from the position on; returns how many.
    std::size_t Read(void* buffer, std::size_t count) noexcept;

private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t size_ = 0;
    std::size_t position_ = 0;
};
