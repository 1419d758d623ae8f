#include "CaptureControl.h"
#include "CaptureMessages.h"
#include "CaptureWindowCreation.h"
#include "FakeCaptureWindow.h"
#include "FrameDelivery.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Sent = FakeCaptureWindow::Message;

const LPARAM kCallback = reinterpret_cast<LPARAM>(&FrameCallback);

// Every capture window the control asks for is a recording window; the
// requests are kept so the creation arguments can be checked.
class CaptureControlTest : public testing::Test {
protected:
    void SetUp() override {
        CaptureWindow = nullptr;
        SetCaptureWindowFactory([this](const CaptureWindowRequest& request) -> HWND {
            requests.push_back(request);
            if (failCreation) return nullptr;
            windows.push_back(std::make_unique<FakeCaptureWindow>());
            return windows.back()->Handle();
        });
    }
    void TearDown() override {
        SetCaptureWindowFactory({});
        CaptureWindow = nullptr;
    }

    std::vector<CaptureWindowRequest> requests;
    std::vector<std::unique_ptr<FakeCaptureWindow>> windows;
    bool failCreation = false;
    FakeCaptureWindow parent;
};

const std::vector<Sent> kStartMessages = {
    {WM_CAP_DRIVER_CONNECT, 0, 0}, {WM_CAP_SET_OVERLAY, 1, 0},      {WM_CAP_SET_PREVIEW, 1, 0},
    {WM_CAP_SET_SCALE, 1, 0},      {WM_CAP_SET_PREVIEWRATE, 100, 0},
};

TEST_F(CaptureControlTest, NothingIsSentOrCreatedBeforeTheFirstStart) {
    StopCapture();
    ShowFormatDialog();
    ArmFrameCallback();
    SendCaptureMessage(WM_CAP_DRIVER_CONNECT, 0);

    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(CaptureWindow, nullptr);
    EXPECT_TRUE(parent.messages.empty());
}

TEST_F(CaptureControlTest, StartCreatesTheWindowInTheParentThenConnectsAndStartsThePreview) {
    StartCapture(parent.Handle());

    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].windowName, "Capture Window");
    EXPECT_EQ(requests[0].style, 0x50000000u);
    EXPECT_EQ(requests[0].x, 0);
    EXPECT_EQ(requests[0].y, 0);
    EXPECT_EQ(requests[0].width, 320);
    EXPECT_EQ(requests[0].height, 240);
    EXPECT_EQ(requests[0].parent, parent.Handle());
    EXPECT_EQ(requests[0].id, 0);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(CaptureWindow, windows[0]->Handle());
    EXPECT_EQ(windows[0]->messages, kStartMessages);
    EXPECT_TRUE(parent.messages.empty());
}

TEST_F(CaptureControlTest, EachOperationSendsItsOneMessage) {
    StartCapture(parent.Handle());
    FakeCaptureWindow& window = *windows[0];
    window.messages.clear();

    ArmFrameCallback();
    ShowFormatDialog();
    StopCapture();
    SendCaptureMessage(WM_CAP_SET_PREVIEWRATE, 33, 7);

    const std::vector<Sent> expected = {{WM_CAP_SET_CALLBACK_FRAME, 0, kCallback},
                                        {WM_CAP_DLG_VIDEOFORMAT, 0, 0},
                                        {WM_CAP_DRIVER_DISCONNECT, 0, 0},
                                        {WM_CAP_SET_PREVIEWRATE, 33, 7}};
    EXPECT_EQ(window.messages, expected);
    EXPECT_EQ(CaptureWindow, window.Handle()) << "a stop keeps the window";
}

// The second window starts clean: an arming sent to the stopped window does
// not carry over, and the earlier window is gone with its camera.
TEST_F(CaptureControlTest, StartStopStartMakesANewWindowAndDestroysTheEarlierOne) {
    StartCapture(parent.Handle());
    StopCapture();
    ArmFrameCallback();
    const HWND first = windows[0]->Handle();
    EXPECT_EQ(windows[0]->messages.back(), (Sent{WM_CAP_SET_CALLBACK_FRAME, 0, kCallback}));

    StartCapture(parent.Handle());

    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(CaptureWindow, windows[1]->Handle());
    EXPECT_NE(CaptureWindow, first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(windows[1]->messages, kStartMessages);
    EXPECT_EQ(windows[0]->messages.size(), kStartMessages.size() + 2);
}

TEST_F(CaptureControlTest, AFailedCreationLeavesNoWindowAndSkipsEverySend) {
    StartCapture(parent.Handle());
    const HWND first = CaptureWindow;
    failCreation = true;

    StartCapture(parent.Handle());
    ArmFrameCallback();
    StopCapture();

    EXPECT_EQ(CaptureWindow, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(windows[0]->messages, kStartMessages);
}

TEST_F(CaptureControlTest, AWindowThatVanishedIsSkippedWithoutAReport) {
    StartCapture(parent.Handle());
    windows[0]->Destroy();
    const std::size_t before = windows[0]->messages.size();

    EXPECT_NO_THROW(ArmFrameCallback());
    EXPECT_NO_THROW(StopCapture());

    EXPECT_EQ(windows[0]->messages.size(), before);
}

}  // namespace
