#include "Application.h"
#include "FrameDelivery.h"
#include "FrameErrorBox.h"
#include "Unit1.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEvent>
#include <QTest>

#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// Seconds since boot on the clock the kernel dates processes by.
double BootSeconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// When this process started, in seconds since boot (to a clock tick).
double ProcessStartSeconds() {
    std::ifstream file("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i) fields >> field;  // field 22 is starttime
    return std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double ProcessCpuSeconds() {
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    return static_cast<double>(cpu.tv_sec) + static_cast<double>(cpu.tv_nsec) / 1e9;
}

// A line of /proc/self/status in megabytes, e.g. "VmRSS".
double StatusMegabytes(const std::string& key) {
    std::ifstream file("/proc/self/status");
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) / 1024.0;
    }
    return 0;
}

class FirstPaint : public QObject {
public:
    double at = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && at == 0) at = BootSeconds();
        return false;
    }
};

// From process start to the first paint of the main window, made as the
// program's entry makes it. Runs once: a process starts once.
void BM_App_StartToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        Application->Initialize();
        SetFrameErrorReporter(FrameErrorBox(SuccessfulDeliveries));
        Application->CreateForm(Form1);
        FirstPaint paint;
        Form1->installEventFilter(&paint);
        Form1->Show();
        if (!QTest::qWaitFor([&] { return paint.at != 0; }, 5000)) {
            state.SkipWithError("the window was not painted within 5 s");
            return;
        }
        Form1->removeEventFilter(&paint);
        state.SetIterationTime(paint.at - ProcessStartSeconds());
    }
}
BENCHMARK(BM_App_StartToFirstPaint)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// A minute of the grab cycle with the test scene: the camera on, a tick a
// second, a background every 10 s and a detection 5 s after each. Reports
// the CPU share of one core and the resident memory at the end.
void BM_App_GrabCycleMinute(benchmark::State& state) {
    for (auto _ : state) {
        if (Form1 == nullptr) {
            state.SkipWithError("needs the window of BM_App_StartToFirstPaint");
            return;
        }
        const double cpuBefore = ProcessCpuSeconds();
        QElapsedTimer clock;
        clock.start();
        Form1->Button2->Click();
        const int seconds = static_cast<int>(state.range(0));
        for (int second = 1; second <= seconds; ++second) {
            QTest::qWait(1000);
            if (second % 10 == 3) Form1->Button3->Click();
            if (second % 10 == 8) Form1->Button5->Click();
        }
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        state.counters["cpu_share_percent"] = 100.0 * (ProcessCpuSeconds() - cpuBefore) / wall;
        state.counters["rss_mb"] = StatusMegabytes("VmRSS");
        state.counters["peak_rss_mb"] = StatusMegabytes("VmHWM");
        Form1->Button6->Click();
    }
}
BENCHMARK(BM_App_GrabCycleMinute)->Arg(60)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("BGDIFF_VIDEO_SOURCE", "test", 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
