// Arbitrary bytes into TBitmap::LoadFromStream. A load either succeeds with a
// picture within the size caps, or raises and leaves the bitmap and the
// stream's position exactly as they were.
#include "Bitmap.h"
#include "BmpReader.h"
#include "Exception.h"
#include "MemoryStream.h"

#include <cstdlib>
#include <cstring>

namespace {

bool SamePicture(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat()) {
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(a.Width()) * a.BytesPerPixel();
    for (int y = 0; y < a.Height(); ++y) {
        if (rowBytes > 0 && std::memcmp(a.ScanLine(y), b.ScanLine(y), rowBytes) != 0) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte, when there is one, is where in the stream the file starts.
    const std::size_t start = size > 0 ? data[0] % 4 : 0;
    TMemoryStream stream;
    if (size > 1) stream.Write(data + 1, size - 1);
    stream.SetPosition(start);

    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetWidth(3);
    bitmap.SetHeight(2);
    bitmap.ScanLine(1)[4] = 0xA5;
    const TBitmap before = bitmap;

    try {
        bitmap.LoadFromStream(stream);
    } catch (const Exception&) {
        if (!SamePicture(bitmap, before) || stream.Position() != start) std::abort();
        return 0;
    }
    if (bitmap.Width() < 1 || bitmap.Width() > kMaxBitmapSide || bitmap.Height() < 1 ||
        bitmap.Height() > kMaxBitmapSide || bitmap.PixelFormat() != pf24bit ||
        stream.Position() > stream.Size()) {
        std::abort();
    }
    // Every row must be readable in full.
    volatile std::uint8_t sink = 0;
    for (int y = 0; y < bitmap.Height(); ++y) sink = sink + bitmap.ScanLine(y)[3 * bitmap.Width() - 1];
    return 0;
}
