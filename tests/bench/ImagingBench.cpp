#include "BackgroundDifference.h"
#include "BmpBytes.h"
#include "CpuFeatures.h"
#include "DetectRow.h"
#include "FakeCaptureWindow.h"
#include "FrameDelivery.h"
#include "GrayRow.h"
#include "ImageBuffers.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kFrameBytes = 320 * 240 * 3;

const BITMAPINFOHEADER kFormat = bmp_bytes::Info24(FrameWidth, FrameHeight);

// The memory floor: one copy of a 320 x 240 24-bit frame.
void BM_Floor_CopyOneFrame(benchmark::State& state) {
    const std::vector<std::uint8_t> source = bmp_bytes::PatternRows(kFormat);
    std::vector<std::uint8_t> target(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), kFrameBytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}
BENCHMARK(BM_Floor_CopyOneFrame);

// One whole delivery through a capture window: format query, packing, load, gray.
void BM_Delivery_FrameCallback(benchmark::State& state) {
    FakeCaptureWindow window(bmp_bytes::FormatBytes(kFormat));
    std::vector<std::uint8_t> bytes = bmp_bytes::PatternRows(kFormat);
    VIDEOHDR header;
    header.lpData = bytes.data();
    header.dwBufferLength = header.dwBytesUsed = static_cast<DWORD>(bytes.size());
    for (auto _ : state) {
        window.messages.clear();
        window.buffersBeforeRead.clear();
        FrameCallback(window.Handle(), &header);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}
BENCHMARK(BM_Delivery_FrameCallback);

void BM_Detect_DetectObjects(benchmark::State& state) {
    CurrentImage = FrameImage;
    std::vector<std::uint8_t> bytes = bmp_bytes::PatternRows(kFormat);
    FakeCaptureWindow window(bmp_bytes::FormatBytes(kFormat));
    VIDEOHDR header;
    header.lpData = bytes.data();
    header.dwBufferLength = header.dwBytesUsed = static_cast<DWORD>(bytes.size());
    FrameCallback(window.Handle(), &header);
    CurrentImage.Assign(FrameImage);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(b + 9);
    FrameCallback(window.Handle(), &header);
    BackgroundImage.Assign(FrameImage);
    Threshold = 20;
    for (auto _ : state) {
        DetectObjects();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}
BENCHMARK(BM_Detect_DetectObjects);

// The row kernels alone, over one frame's rows: the reference and the fast one.
template <void (*Kernel)(std::uint8_t*, int)>
void BM_Kernel_Gray(benchmark::State& state) {
    std::vector<std::uint8_t> rows = bmp_bytes::PatternRows(kFormat);
    for (auto _ : state) {
        for (int y = 0; y < FrameHeight; ++y) Kernel(rows.data() + y * 960, FrameWidth);
        benchmark::ClobberMemory();
    }
}

template <void (*Kernel)(const std::uint8_t*, const std::uint8_t*, std::uint8_t*, int, int)>
void BM_Kernel_Detect(benchmark::State& state) {
    const std::vector<std::uint8_t> current = bmp_bytes::PatternRows(kFormat);
    std::vector<std::uint8_t> background = current;
    for (auto& b : background) b = static_cast<std::uint8_t>(b + 9);
    std::vector<std::uint8_t> result(kFrameBytes);
    for (auto _ : state) {
        for (int y = 0; y < FrameHeight; ++y) {
            Kernel(current.data() + y * 960, background.data() + y * 960, result.data() + y * 960, FrameWidth,
                   20);
        }
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_Kernel_Gray<GrayRowReference>)->Name("BM_Kernel_GrayRowReference");
BENCHMARK(BM_Kernel_Detect<DetectRowReference>)->Name("BM_Kernel_DetectRowReference");
#if defined(__x86_64__) || defined(__i386__)
const bool kAvx2Registered = [] {
    if (!CpuHasAvx2()) return false;
    benchmark::RegisterBenchmark("BM_Kernel_GrayRowAvx2", BM_Kernel_Gray<GrayRowAvx2>);
    benchmark::RegisterBenchmark("BM_Kernel_DetectRowAvx2", BM_Kernel_Detect<DetectRowAvx2>);
    return true;
}();
#endif

}  // namespace

int main(int argc, char** argv) {
    SetFrameErrorReporter([](const Exception& e) { std::fputs(e.what(), stderr); });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
