#include "MainWindowFixture.h"
#include "MessageBoxes.h"

#include <QTest>

#include <algorithm>
#include <cstdlib>

namespace {

// Form1 with the real capture window on the built-in test scene: a still
// textured background with a dark block moving to the right.
class GrabCycle : public MainWindowTestBase {
protected:
    void SetUp() override {
        setenv("BGDIFF_VIDEO_SOURCE", "test", 0);
        MainWindowTestBase::SetUp();
        MakeForm();
    }

    // Waits for the next tick that shows a frame in Image3.
    bool WaitForNextShownFrame() {
        const QImage before = form->Image3->Picture->Image();
        return QTest::qWaitFor(
            [&] { return !form->Image3->Picture->Empty() && form->Image3->Picture->Image() != before; }, 5000);
    }

    void StartCameraAndWaitForAFrame() {
        form->Button2->Click();
        ASSERT_EQ(form->Button2->Caption(), "關閉攝影機");
        ASSERT_NE(CaptureWindow, nullptr);
        ASSERT_TRUE(WaitForNextShownFrame());
    }

    MessageBoxAnswerer answerer;
};

TEST_F(GrabCycle, AfterTheStartTheTicksShowAGrayFrameInImage3) {
    StartCameraAndWaitForAFrame();

    const QImage shown = form->Image3->Picture->Image();
    ASSERT_EQ(shown.size(), QSize(320, 240));
    int brightest = 0, darkest = 255;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb p = shown.pixel(x, y);
            ASSERT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << x << "," << y;
            brightest = std::max(brightest, qRed(p));
            darkest = std::min(darkest, qRed(p));
        }
    }
    // A picture of the scene, not a blank one: the block is dark on a bright ground.
    EXPECT_GT(brightest - darkest, 60);
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(GrabCycle, AtThresholdZeroOnlyThePixelsOfTheMovedBlockTurnBlack) {
    StartCameraAndWaitForAFrame();
    form->Button3->Click();
    ASSERT_FALSE(form->Image1->Picture->Empty());
    // Two more ticks: the block has moved on by then.
    ASSERT_TRUE(WaitForNextShownFrame());
    ASSERT_TRUE(WaitForNextShownFrame());

    form->Button5->Click();

    ASSERT_TRUE(answerer.boxes.empty());
    const QImage background = form->Image1->Picture->Image();
    const QImage current = form->Image3->Picture->Image();
    const QImage result = form->Image2->Picture->Image();
    ASSERT_EQ(result.size(), QSize(320, 240));
    int black = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            const bool moved = qBlue(current.pixel(x, y)) != qBlue(background.pixel(x, y));
            const QRgb expected = moved ? qRgb(0, 0, 0) : background.pixel(x, y);
            ASSERT_EQ(result.pixel(x, y), expected) << x << "," << y;
            black += moved ? 1 : 0;
            // The block crosses the upper part only; below it nothing moves.
            if (y >= 120) {
                ASSERT_FALSE(moved) << x << "," << y;
            }
        }
    }
    EXPECT_GT(black, 0);
}

TEST_F(GrabCycle, AtTheBarsRightEndStartShowsExactlyTheBackground) {
    StartCameraAndWaitForAFrame();
    form->Button3->Click();
    ASSERT_TRUE(WaitForNextShownFrame());
    ASSERT_TRUE(WaitForNextShownFrame());
    QTest::keyClick(form->ScrollBar1, Qt::Key_End);
    ASSERT_EQ(Threshold, 255);
    ASSERT_NE(form->Image3->Picture->Image(), form->Image1->Picture->Image());

    form->Button5->Click();

    ASSERT_TRUE(answerer.boxes.empty());
    EXPECT_TRUE(SamePixels(form->Image2->Picture->Image(), form->Image1->Picture->Image()));
}

// Each tick shows the frame grabbed after the tick before, and 設定背景
// takes that same waiting frame.
TEST_F(GrabCycle, TicksAndTheBackgroundUseTheFrameGrabbedAfterTheTickBefore) {
    StartCameraAndWaitForAFrame();
    const auto waitForGrab = [] {
        const std::uint64_t delivered = SuccessfulDeliveries();
        return QTest::qWaitFor([&] { return SuccessfulDeliveries() > delivered; }, 3000);
    };
    ASSERT_TRUE(waitForGrab());
    const QImage waiting = ImageOf(FrameImage);
    ASSERT_FALSE(SamePixels(form->Image3->Picture->Image(), waiting)) << "the scene moved between grabs";
    ASSERT_TRUE(WaitForNextShownFrame());
    EXPECT_TRUE(SamePixels(form->Image3->Picture->Image(), waiting));

    ASSERT_TRUE(waitForGrab());
    const QImage next = ImageOf(FrameImage);
    form->Button3->Click();
    EXPECT_TRUE(SamePixels(form->Image1->Picture->Image(), next));
}

TEST_F(GrabCycle, AfterTheStopTheTicksGoOnShowingTheWaitingFrame) {
    StartCameraAndWaitForAFrame();
    form->Button2->Click();
    ASSERT_EQ(form->Button2->Caption(), "啟動攝影機");
    QTest::qWait(1200);
    const QImage last = form->Image3->Picture->Image();
    QTest::qWait(1200);
    EXPECT_EQ(form->Image3->Picture->Image(), last) << "no frame arrives after the stop";

    // The timer still runs: a frame put in place by hand shows at the next tick.
    FrameImage = GrayBitmap(320, 240, [](int x, int y) { return (x * 3 + y) % 256; });
    ASSERT_TRUE(WaitForNextShownFrame());
    EXPECT_TRUE(SamePixels(form->Image3->Picture->Image(), ImageOf(FrameImage)));
    EXPECT_TRUE(form->Timer1->Running());
}

}  // namespace
