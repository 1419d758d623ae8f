#include "BitmapImage.h"

#include <cstring>

QImage ToQImage(const TBitmap& bitmap) {
    if (bitmap.Empty()) return QImage();
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    if (bitmap.PixelFormat() == pf24bit) {
        // Both keep a pixel as the bytes blue, green, red.
        QImage image(width, height, QImage::Format_BGR888);
        const auto rowBytes = static_cast<std::size_t>(width) * 3;
        for (int y = 0; y < height; ++y) std::memcpy(image.scanLine(y), bitmap.ScanLine(y), rowBytes);
        return image;
    }
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* source = bitmap.ScanLine(y);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, source += 4) target[x] = qRgb(source[2], source[1], source[0]);
    }
    return image;
}
