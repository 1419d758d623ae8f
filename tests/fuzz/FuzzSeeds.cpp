// Writes the seed corpora of the fuzz targets: real bitmap files and frames,
// good and subtly bad, built from the same bytes the tests use.
//   bgdiff_fuzz_seeds <directory>  makes <directory>/load_from_stream and
//                                  <directory>/frame_delivery
#include "BmpBytes.h"
#include "LittleEndian.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Write(const std::filesystem::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes BmpFile(int width, int height) {
    const BITMAPINFOHEADER info = bmp_bytes::Info24(width, height);
    return bmp_bytes::File(info, bmp_bytes::PatternRows(info));
}

// A stream seed: the start-offset byte, then the file.
Bytes StreamSeed(const Bytes& file) {
    Bytes seed{0};
    seed.insert(seed.end(), file.begin(), file.end());
    return seed;
}

// A delivery seed: format length, format, dwBytesUsed, frame bytes.
Bytes DeliverySeed(const BITMAPINFOHEADER& info, std::uint32_t bytesUsed, const Bytes& frame) {
    Bytes seed{40};
    const Bytes format = bmp_bytes::FormatBytes(info);
    seed.insert(seed.end(), format.begin(), format.end());
    std::uint8_t used[4];
    little_endian::WriteU32(used, bytesUsed);
    seed.insert(seed.end(), used, used + 4);
    seed.insert(seed.end(), frame.begin(), frame.end());
    return seed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: bgdiff_fuzz_seeds <directory>\n";
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const auto streams = root / "load_from_stream";
    const auto deliveries = root / "frame_delivery";
    std::filesystem::create_directories(streams);
    std::filesystem::create_directories(deliveries);

    Write(streams / "bottom_up_5x3", StreamSeed(BmpFile(5, 3)));
    Write(streams / "top_down_7x2", StreamSeed(BmpFile(7, -2)));
    Write(streams / "one_pixel", StreamSeed(BmpFile(1, 1)));
    Bytes shortPixels = StreamSeed(BmpFile(4, 4));
    shortPixels.pop_back();
    Write(streams / "pixels_one_short", shortPixels);
    Bytes depth32 = StreamSeed(BmpFile(2, 2));
    little_endian::WriteU16(depth32.data() + 1 + 28, 32);
    Write(streams / "depth_32", depth32);
    Bytes mjpg = StreamSeed(BmpFile(2, 2));
    little_endian::WriteU32(mjpg.data() + 1 + 30, 0x47504A4D);
    Write(streams / "compression_mjpg", mjpg);

    // Frames one row high reach the gray conversion and stop at row 1;
    // the others stop earlier, at the checks of the frame and the format.
    const BITMAPINFOHEADER row = bmp_bytes::Info24(320, 1);
    const Bytes rowPixels = bmp_bytes::PatternRows(row);
    Write(deliveries / "one_row_320", DeliverySeed(row, 0, rowPixels));
    Write(deliveries / "one_row_top_down", DeliverySeed(bmp_bytes::Info24(320, -1), 960, rowPixels));
    Write(deliveries / "narrow_4x4", DeliverySeed(bmp_bytes::Info24(4, 4), 0, Bytes(48, 9)));
    Write(deliveries / "frame_short", DeliverySeed(row, 500, rowPixels));
    BITMAPINFOHEADER yuy2 = bmp_bytes::Info24(16, 2);
    yuy2.biCompression = 0x32595559;
    yuy2.biBitCount = 16;
    yuy2.biSizeImage = 64;
    Write(deliveries / "yuy2", DeliverySeed(yuy2, 64, Bytes(64, 0x80)));
    return 0;
}
