#pragma once

#include "BitmapInfoHeader.h"
#include "MemoryStream.h"
#include "VideoHeader.h"

#include <cstddef>

// Bytes of the file header in front of the format, and where the pixel data
// starts in a frame stream.
inline constexpr std::size_t kFrameFileHeaderSize = 14;
inline constexpr std::size_t kFramePixelOffset = kFrameFileHeaderSize + sizeof(BITMAPINFOHEADER);

// The most pixel data a frame may have: a frame of the largest loadable size,
// 32768 x 32768 pixels at 24 bits.
inline constexpr std::size_t kMaxFramePixelBytes = std::size_t{32768} * 32768 * 3;

// Makes `stream` a bitmap file of the frame: a 14-byte file header, the 40
// bytes of `format`, then the first format.biSizeImage bytes at
// frame.lpData. Raises Exception, before the stream is touched, when the
// frame holds fewer bytes than that (dwBytesUsed, or dwBufferLength when
// dwBytesUsed is 0 or larger) or biSizeImage is beyond any loadable frame.
void PackFrame(TMemoryStream& stream, const BITMAPINFOHEADER& format, const VIDEOHDR& frame);
