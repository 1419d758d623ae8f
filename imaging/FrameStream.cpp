#include "FrameStream.h"

#include "Exception.h"
#include "LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// The bytes a driver says the frame holds: dwBytesUsed, or the whole buffer
// when a driver leaves dwBytesUsed 0; never more than the buffer, whatever
// dwBytesUsed claims.
std::size_t FrameBytes(const VIDEOHDR& frame) {
    if (frame.lpData == nullptr) return 0;
    if (frame.dwBytesUsed == 0) return frame.dwBufferLength;
    return std::min(frame.dwBytesUsed, frame.dwBufferLength);
}

}  // namespace

void PackFrame(TMemoryStream& stream, const BITMAPINFOHEADER& format, const VIDEOHDR& frame) {
    const std::size_t pixelBytes = format.biSizeImage;
    if (pixelBytes > kMaxFramePixelBytes) {
        throw Exception("the video format gives " + std::to_string(pixelBytes) +
                        " bytes per frame (biSizeImage), more than the " +
                        std::to_string(kMaxFramePixelBytes) + " of the largest loadable frame");
    }
    const std::size_t available = FrameBytes(frame);
    if (available < pixelBytes) {
        throw Exception("the frame holds " + std::to_string(available) + " bytes, fewer than the " +
                        std::to_string(pixelBytes) + " its video format gives (biSizeImage)");
    }

    // The stream gets its final size first and the pixels go straight into
    // its memory: one copy of the frame, no growing.
    const std::size_t streamSize = kFramePixelOffset + pixelBytes;
    stream.SetSize(streamSize);

    std::uint8_t fileHeader[kFrameFileHeaderSize] = {'B', 'M'};
    little_endian::WriteU32(fileHeader + 2, static_cast<std::uint32_t>(streamSize));
    little_endian::WriteU16(fileHeader + 6, 0);
    little_endian::WriteU16(fileHeader + 8, 0);
    little_endian::WriteU32(fileHeader + 10, static_cast<std::uint32_t>(kFramePixelOffset));
    stream.SetPosition(0);
    stream.Write(fileHeader, sizeof fileHeader);
    stream.Write(&format, sizeof format);

    if (pixelBytes > 0) {
        std::memcpy(static_cast<std::uint8_t*>(stream.Memory()) + kFramePixelOffset, frame.lpData,
                    pixelBytes);
    }
}
