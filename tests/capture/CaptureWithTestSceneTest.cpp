#include "CaptureControl.h"
#include "FrameDelivery.h"
#include "WidgetWindows.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

namespace {

// The capture control with real capture windows on the test scene.
class CaptureWithTestSceneTest : public testing::Test {
protected:
    void SetUp() override {
        parent.resize(233, 193);
        parentHandle = AttachWindowHandle(&parent);
        CaptureWindow = nullptr;
        SetFrameErrorReporter([this](const Exception&) { ++failures; });
    }
    void TearDown() override {
        DestroyWindow(CaptureWindow);
        CaptureWindow = nullptr;
        SetFrameErrorReporter({});
    }
    std::uint64_t Delivered() const { return SuccessfulDeliveries() - deliveredAtStart; }

    QWidget parent;
    HWND parentHandle = nullptr;
    int failures = 0;
    const std::uint64_t deliveredAtStart = SuccessfulDeliveries();
};

TEST_F(CaptureWithTestSceneTest, ArmingGivesOneDeliveryAndStoppingEndsThem) {
    StartCapture(parentHandle);
    ASSERT_TRUE(IsWindow(CaptureWindow));
    ArmFrameCallback();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Delivered() == 1; }, 3000));
    QTest::qWait(400);
    EXPECT_EQ(Delivered(), 1u);

    StopCapture();
    ArmFrameCallback();
    QTest::qWait(600);
    EXPECT_EQ(Delivered(), 1u);
    EXPECT_EQ(failures, 0);
}

// An arming sent to the stopped window stays with it; the next start's
// window holds no callback, so nothing arrives until it is armed.
TEST_F(CaptureWithTestSceneTest, TheNextStartsWindowHoldsNoEarlierArming) {
    StartCapture(parentHandle);
    const HWND first = CaptureWindow;
    StopCapture();
    ArmFrameCallback();

    StartCapture(parentHandle);
    EXPECT_NE(CaptureWindow, first);
    EXPECT_FALSE(IsWindow(first));
    QTest::qWait(800);
    EXPECT_EQ(Delivered(), 0u);

    ArmFrameCallback();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Delivered() == 1; }, 3000));
}

}  // namespace
