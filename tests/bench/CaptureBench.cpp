#include "CaptureMessages.h"
#include "CaptureWidget.h"
#include "CaptureWindowCreation.h"
#include "FrameDelivery.h"
#include "WidgetWindows.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTest>

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

// Counts paints of the capture window that show a picture.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(CaptureWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
    int pictures = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && widget_->Status().isEmpty()) ++pictures;
        return false;
    }

private:
    CaptureWidget* widget_;
};

// The test scene's capture window inside a parent, as the program makes it.
struct PreviewWindow {
    PreviewWindow() {
        parent.resize(233, 193);
        parentHandle = AttachWindowHandle(&parent);
        parent.show();
        handle = capCreateCaptureWindowA("Capture Window", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, parentHandle, 0);
        widget = static_cast<CaptureWidget*>(WidgetOfWindow(handle));
        counter = std::make_unique<PaintCounter>(widget);
    }
    ~PreviewWindow() { DestroyWindow(handle); }
    void Start() const {
        SendMessageA(handle, WM_CAP_DRIVER_CONNECT, 0, 0);
        SendMessageA(handle, WM_CAP_SET_OVERLAY, 1, 0);
        SendMessageA(handle, WM_CAP_SET_PREVIEW, 1, 0);
        SendMessageA(handle, WM_CAP_SET_SCALE, 1, 0);
        SendMessageA(handle, WM_CAP_SET_PREVIEWRATE, 100, 0);
    }

    QWidget parent;
    HWND parentHandle = nullptr;
    HWND handle = nullptr;
    CaptureWidget* widget = nullptr;
    std::unique_ptr<PaintCounter> counter;
};

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// From the connect message to the first painted picture.
void BM_Preview_ConnectToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        PreviewWindow window;
        QElapsedTimer clock;
        clock.start();
        window.Start();
        if (!QTest::qWaitFor([&] { return window.counter->pictures > 0; }, 5000)) {
            state.SkipWithError("no picture within 5 s");
            return;
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_Preview_ConnectToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// CPU of the whole process, all threads, while the preview runs at
// 320 x 240 every 100 ms, as a share of one core. Argument: seconds.
void BM_Preview_CpuShare(benchmark::State& state) {
    for (auto _ : state) {
        PreviewWindow window;
        window.Start();
        QTest::qWait(500);
        const int paintsBefore = window.counter->pictures;
        const double cpuBefore = ProcessCpuSeconds();
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(static_cast<int>(state.range(0)) * 1000);
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        state.counters["cpu_share_percent"] = 100.0 * (ProcessCpuSeconds() - cpuBefore) / wall;
        state.counters["paints_per_second"] = (window.counter->pictures - paintsBefore) / wall;
    }
}
BENCHMARK(BM_Preview_CpuShare)->Arg(30)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv(kVideoSourceVariable, "test", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
