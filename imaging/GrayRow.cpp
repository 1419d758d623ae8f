#include "GrayRow.h"

#include "CpuFeatures.h"

void GrayRowReference(std::uint8_t* row, int width) {
    for (int x = 0; x < width; ++x) {
        std::uint8_t* pixel = row + 3 * x;
        const int sum = pixel[0] + pixel[1] + pixel[2];
        const auto gray = static_cast<std::uint8_t>(sum / 3);
        pixel[2] = gray;
        pixel[1] = gray;
        pixel[0] = gray;
    }
}

namespace {

using GrayRowKernel = void (*)(std::uint8_t*, int);

GrayRowKernel SelectGrayRow() {
#if defined(__x86_64__) || defined(__i386__)
    if (CpuHasAvx2()) return GrayRowAvx2;
#endif
    return GrayRowReference;
}

}  // namespace

void GrayRow(std::uint8_t* row, int width) {
    static const GrayRowKernel kernel = SelectGrayRow();
    kernel(row, width);
}
