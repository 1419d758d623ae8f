#include "CaptureMessages.h"
#include "CaptureWidget.h"
#include "CaptureWindowCreation.h"
#include "FormatDialog.h"
#include "FrameDelivery.h"
#include "ImageBuffers.h"
#include "TestScene.h"
#include "WidgetWindows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(window, message, wParam, lParam);
}

// A real capture window on the test scene (or another source) inside a
// parent widget, with the frame error reporter collecting.
class CaptureWindowTest : public testing::Test {
protected:
    void SetUp() override {
        setenv(kVideoSourceVariable, "test", 1);
        parent = std::make_unique<QWidget>();
        parent->resize(400, 300);
        parentHandle = AttachWindowHandle(parent.get());
        parent->show();
        FrameImage = TBitmap();
        SetFrameErrorReporter([this](const Exception& e) { errors.push_back(e.Message()); });
    }
    void TearDown() override {
        DestroyWindow(window);
        SetFrameErrorReporter({});
        parent.reset();
        setenv(kVideoSourceVariable, "test", 1);
    }

    HWND Create() {
        window = capCreateCaptureWindowA("Capture Window", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, parentHandle, 0);
        return window;
    }

    // What a start does: connect driver 0 and run the scaled preview every 100 ms.
    LRESULT Start() {
        const LRESULT connected = Send(window, WM_CAP_DRIVER_CONNECT, 0);
        Send(window, WM_CAP_SET_OVERLAY, 1);
        Send(window, WM_CAP_SET_PREVIEW, 1);
        Send(window, WM_CAP_SET_SCALE, 1);
        Send(window, WM_CAP_SET_PREVIEWRATE, 100);
        return connected;
    }

    void Arm() { Send(window, WM_CAP_SET_CALLBACK_FRAME, 0, reinterpret_cast<LPARAM>(&FrameCallback)); }

    // Waits for `count` more deliveries (good or failed), then a little
    // longer so an extra one would show.
    void WaitForDeliveries(std::size_t count, int timeoutMs = 3000) {
        const bool arrived = QTest::qWaitFor([&] { return Outcomes() >= count; }, timeoutMs);
        QTest::qWait(arrived ? 400 : 0);
    }
    std::size_t Outcomes() const { return SuccessfulDeliveries() - deliveredAtStart + errors.size(); }

    CaptureWidget* Widget() const { return static_cast<CaptureWidget*>(WidgetOfWindow(window)); }

    // Runs `drive` on the format dialog as soon as it is open, while the
    // dialog message is being answered.
    LRESULT WithFormatDialog(std::function<void(FormatDialog&)> drive) {
        QTimer::singleShot(0, [drive] {
            if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 2000)) return;
            auto* dialog = qobject_cast<FormatDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            drive(*dialog);
        });
        return Send(window, WM_CAP_DLG_VIDEOFORMAT);
    }

    static void Choose(FormatDialog& dialog, const char* box, const QString& text) {
        auto* combo = dialog.findChild<QComboBox*>(box);
        ASSERT_NE(combo, nullptr);
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
    }
    static void Press(FormatDialog& dialog, QDialogButtonBox::StandardButton which) {
        auto* buttons = dialog.findChild<QDialogButtonBox*>("buttons");
        QTest::mouseClick(buttons->button(which), Qt::LeftButton);
    }

    BITMAPINFOHEADER Format() {
        BITMAPINFOHEADER header{};
        Send(window, WM_CAP_GET_VIDEOFORMAT, sizeof header, reinterpret_cast<LPARAM>(&header));
        return header;
    }

    std::unique_ptr<QWidget> parent;
    HWND parentHandle = nullptr;
    HWND window = nullptr;
    std::vector<std::string> errors;
    std::uint64_t deliveredAtStart = SuccessfulDeliveries();
};

int GrayAt(const TBitmap& bitmap, int x, int y) { return bitmap.ScanLine(y)[3 * x]; }

bool IsGray(const TBitmap& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.ScanLine(y) + 3 * x;
    return p[0] == p[1] && p[1] == p[2];
}

TEST_F(CaptureWindowTest, IsMadeOnlyInsideAWidgetAndLiesAtItsTopLeft) {
    const HWND bare = RegisterWindow([](UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    EXPECT_EQ(capCreateCaptureWindowA("Capture Window", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, nullptr, 0), nullptr);
    EXPECT_EQ(capCreateCaptureWindowA("Capture Window", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, bare, 0), nullptr);
    DestroyWindow(bare);

    ASSERT_NE(Create(), nullptr);
    EXPECT_TRUE(IsWindow(window));
    ASSERT_NE(Widget(), nullptr);
    EXPECT_EQ(Widget()->parentWidget(), parent.get());
    EXPECT_EQ(Widget()->geometry(), QRect(0, 0, 320, 240));
    EXPECT_TRUE(Widget()->isVisible());
    EXPECT_EQ(Send(window, WM_USER + 999, 1, 2), 0) << "an unknown message does nothing";
}

TEST_F(CaptureWindowTest, FormatIsAskedBySizeThenWrittenUpToTheBufferGiven) {
    Create();
    EXPECT_EQ(Send(window, WM_CAP_GET_VIDEOFORMAT), 0) << "no driver, no format";
    ASSERT_EQ(Start(), 1);

    EXPECT_EQ(Send(window, WM_CAP_GET_VIDEOFORMAT), 40);
    const BITMAPINFOHEADER header = Format();
    EXPECT_EQ(header.biWidth, 320);
    EXPECT_EQ(header.biHeight, 240);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, BI_RGB);
    EXPECT_EQ(header.biSizeImage, 230400u);

    std::vector<std::uint8_t> buffer(48, 0xAB);
    EXPECT_EQ(Send(window, WM_CAP_GET_VIDEOFORMAT, 8, reinterpret_cast<LPARAM>(buffer.data())), 8);
    EXPECT_EQ(buffer[4], 320 & 0xFF);
    EXPECT_EQ(buffer[8], 0xAB) << "nothing past the size given";
}

// The delivered frame is the scene the right way up and unmirrored: the
// block in the upper band at a place the scene puts it, the background
// brighter on the right.
TEST_F(CaptureWindowTest, OneArmingGivesOneDeliveryOfTheUprightScene) {
    Create();
    ASSERT_EQ(Start(), 1);
    Arm();
    Arm();

    WaitForDeliveries(1);

    EXPECT_TRUE(errors.empty()) << errors.front();
    ASSERT_EQ(SuccessfulDeliveries() - deliveredAtStart, 1u) << "two armings before a frame give one delivery";
    ASSERT_EQ(FrameImage.Width(), 320);
    ASSERT_EQ(FrameImage.Height(), 240);
    std::vector<int> darkRows;
    std::vector<int> darkColumns;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            ASSERT_TRUE(IsGray(FrameImage, x, y)) << x << "," << y;
            if (GrayAt(FrameImage, x, y) < 80) {
                if (darkRows.empty() || darkRows.back() != y) darkRows.push_back(y);
                if (y == darkRows.front()) darkColumns.push_back(x);
            }
        }
    }
    const SceneRect band = TestSceneObject(0, 320, 240);
    ASSERT_FALSE(darkRows.empty()) << "the block is in every frame";
    EXPECT_EQ(darkRows.front(), band.top);
    EXPECT_EQ(darkRows.back(), band.top + band.height - 1);
    bool placedByTheScene = false;
    for (std::uint64_t n = 0; n < 64; ++n) {
        const SceneRect object = TestSceneObject(n, 320, 240);
        placedByTheScene |= darkColumns.front() == object.left &&
                            darkColumns.back() == object.left + object.width - 1;
    }
    EXPECT_TRUE(placedByTheScene) << "dark columns " << darkColumns.front() << " to " << darkColumns.back();
    EXPECT_LT(GrayAt(FrameImage, 8, 200) + 15, GrayAt(FrameImage, 312, 200));
    EXPECT_TRUE(Widget()->Status().isEmpty()) << Widget()->Status().toStdString();
}

TEST_F(CaptureWindowTest, NothingIsDeliveredAfterADisconnectUntilTheNextConnect) {
    Create();
    ASSERT_EQ(Start(), 1);
    EXPECT_EQ(Send(window, WM_CAP_DRIVER_DISCONNECT), 1);
    Arm();
    WaitForDeliveries(1, 600);
    EXPECT_EQ(Outcomes(), 0u);

    ASSERT_EQ(Start(), 1);
    Arm();
    WaitForDeliveries(1);
    EXPECT_EQ(SuccessfulDeliveries() - deliveredAtStart, 1u);
}

TEST_F(CaptureWindowTest, ALargerSizeFromTheDialogIsDeliveredWholeAndGrayInItsTopLeft) {
    Create();
    ASSERT_EQ(Start(), 1);

    EXPECT_EQ(WithFormatDialog([](FormatDialog& dialog) {
                  Choose(dialog, "frameSize", QString::fromUtf8("640 × 480"));
                  Press(dialog, QDialogButtonBox::Ok);
              }),
              1);
    EXPECT_EQ(Format().biWidth, 640);
    EXPECT_EQ(Format().biSizeImage, 640u * 480 * 3);
    Arm();
    WaitForDeliveries(1);

    EXPECT_TRUE(errors.empty()) << errors.front();
    ASSERT_EQ(FrameImage.Width(), 640);
    ASSERT_EQ(FrameImage.Height(), 480);
    EXPECT_TRUE(IsGray(FrameImage, 319, 239));
    EXPECT_FALSE(IsGray(FrameImage, 320, 239)) << "outside the working area the colour stays";
    EXPECT_FALSE(IsGray(FrameImage, 100, 240));
    // Upright and unmirrored in the coloured part: green grows downwards and
    // blue to the right (points picked on the same texture phase).
    const auto channel = [](int x, int y, int c) { return FrameImage.ScanLine(y)[3 * x + c]; };
    EXPECT_GT(channel(600, 472, 1), channel(600, 0, 1) + 40);
    EXPECT_GT(channel(624, 472, 0), channel(336, 472, 0) + 20);
}

// The frames of other depths reach the callback as the format says and fail
// there, once per arming, leaving the picture as it was.
TEST_F(CaptureWindowTest, OtherDepthsFailThroughTheReporterAndCancelChangesNothing) {
    Create();
    ASSERT_EQ(Start(), 1);
    Arm();
    WaitForDeliveries(1);
    ASSERT_EQ(FrameImage.Width(), 320);
    const TBitmap before = FrameImage;

    EXPECT_EQ(WithFormatDialog([](FormatDialog& dialog) {
                  Choose(dialog, "depth", "16 bits");
                  Press(dialog, QDialogButtonBox::Cancel);
              }),
              0);
    EXPECT_EQ(Format().biBitCount, 24) << "Cancel keeps the format";

    for (const int depth : {16, 32}) {
        SCOPED_TRACE(depth);
        errors.clear();
        WithFormatDialog([depth](FormatDialog& dialog) {
            Choose(dialog, "depth", QString("%1 bits").arg(depth));
            Press(dialog, QDialogButtonBox::Ok);
        });
        EXPECT_EQ(Format().biBitCount, depth);
        EXPECT_EQ(Format().biSizeImage, 320u * 240 * depth / 8);
        const std::size_t outcomesBefore = Outcomes();
        Arm();
        WaitForDeliveries(outcomesBefore + 1);

        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(std::to_string(depth)), std::string::npos) << errors[0];
        EXPECT_EQ(SuccessfulDeliveries() - deliveredAtStart, 1u);
        ASSERT_EQ(FrameImage.Width(), 320);
        ASSERT_EQ(FrameImage.Height(), 240);
        EXPECT_EQ(std::memcmp(FrameImage.ScanLine(100), before.ScanLine(100), 960), 0) << "the picture is kept";
    }
}

TEST_F(CaptureWindowTest, FramesAreDeliveredWhileTheDialogIsOpen) {
    Create();
    ASSERT_EQ(Start(), 1);
    std::size_t outcomesInDialog = 0;
    WithFormatDialog([&](FormatDialog& dialog) {
        Arm();
        WaitForDeliveries(1);
        outcomesInDialog = Outcomes();
        Press(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(outcomesInDialog, 1u);
    EXPECT_TRUE(errors.empty());
}

TEST_F(CaptureWindowTest, AWindowDestroyedWhileItsDialogIsOpenStaysClosed) {
    Create();
    ASSERT_EQ(Start(), 1);
    const HWND handle = window;
    EXPECT_EQ(WithFormatDialog([handle](FormatDialog& dialog) {
                  Choose(dialog, "frameSize", QString::fromUtf8("640 × 480"));
                  DestroyWindow(handle);
                  Press(dialog, QDialogButtonBox::Ok);
              }),
              0);
    EXPECT_FALSE(IsWindow(handle));
    Arm();
    WaitForDeliveries(1, 600);
    EXPECT_EQ(Outcomes(), 0u);
}

// Deleting the parent deletes the window with it: its handle and its source
// go while the window's members still exist.
TEST_F(CaptureWindowTest, DeletingTheParentOfARunningWindowReleasesIt) {
    Create();
    ASSERT_EQ(Start(), 1);
    Arm();
    QTest::qWait(150);
    parent.reset();
    EXPECT_FALSE(IsWindow(window));
    WaitForDeliveries(2, 600);
    EXPECT_LE(Outcomes(), 1u);
}

TEST_F(CaptureWindowTest, ALiveSourceConnectsBeforeItsFirstFrameAndDelivers) {
    setenv(kVideoSourceVariable, "videotestsrc is-live=true pattern=ball", 1);
    Create();
    ASSERT_EQ(Start(), 1);
    Arm();
    WaitForDeliveries(1);
    EXPECT_EQ(SuccessfulDeliveries() - deliveredAtStart, 1u);
    EXPECT_TRUE(errors.empty());
}

// A source that cannot be opened and one that ends: no delivery, a reason in
// the window, and the next connect to a working source works.
TEST_F(CaptureWindowTest, ABrokenOrEndingSourceDeliversNothingAndTheNextConnectWorks) {
    struct Case {
        const char* source;
        LRESULT connected;
    };
    for (const Case c : {Case{"no_such_element_anywhere", 0}, Case{"videotestsrc num-buffers=3", 1},
                         Case{"videotestsrc ! identity error-after=3", 1},
                         Case{"videotestsrc ! video/x-raw,width=8,height=8 ! fakesink", 0}}) {
        SCOPED_TRACE(c.source);
        setenv(kVideoSourceVariable, c.source, 1);
        DestroyWindow(window);
        Create();
        EXPECT_EQ(Start(), c.connected);
        QTest::qWait(1000);
        Arm();
        WaitForDeliveries(1, 600);
        EXPECT_EQ(Outcomes(), 0u);
        EXPECT_FALSE(Widget()->Status().isEmpty());

        setenv(kVideoSourceVariable, "test", 1);
        ASSERT_EQ(Start(), 1);
        Arm();
        WaitForDeliveries(1);
        EXPECT_EQ(Outcomes(), 1u);
        errors.clear();
        deliveredAtStart = SuccessfulDeliveries();
    }
}

TEST_F(CaptureWindowTest, ADestroyedWindowStopsItsSourceAndAnswersNothing) {
    Create();
    ASSERT_EQ(Start(), 1);
    Arm();
    DestroyWindow(window);
    EXPECT_FALSE(IsWindow(window));
    WaitForDeliveries(1, 600);
    EXPECT_EQ(Outcomes(), 0u);
    EXPECT_EQ(Send(window, WM_CAP_GET_VIDEOFORMAT), 0);
    QTest::qWait(10);
    EXPECT_TRUE(parent->findChildren<CaptureWidget*>().empty()) << "the widget is deleted";
}

}  // namespace
