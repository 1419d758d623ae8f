#include "DetectRow.h"

#include "CpuFeatures.h"

void DetectRowReference(const std::uint8_t* current, const std::uint8_t* background, std::uint8_t* result,
                        int width, int threshold) {
    for (int x = 0; x < width; ++x) {
        const int c = current[3 * x];
        const int b = background[3 * x];
        const int d = c > b ? c - b : b - c;
        std::uint8_t* pixel = result + 3 * x;
        if (d > threshold) {
            pixel[0] = 0;
            pixel[1] = 0;
            pixel[2] = 0;
        } else {
            const auto gray = static_cast<std::uint8_t>(b);
            pixel[2] = gray;
            pixel[1] = gray;
            pixel[0] = gray;
        }
    }
}

namespace {

using DetectRowKernel = void (*)(const std::uint8_t*, const std::uint8_t*, std::uint8_t*, int, int);

DetectRowKernel SelectDetectRow() {
#if defined(__x86_64__) || defined(__i386__)
    if (CpuHasAvx2()) return DetectRowAvx2;
#endif
    return DetectRowReference;
}

}  // namespace

void DetectRow(const std::uint8_t* current, const std::uint8_t* background, std::uint8_t* result, int width,
               int threshold) {
    static const DetectRowKernel kernel = SelectDetectRow();
    kernel(current, background, result, width, threshold);
}
