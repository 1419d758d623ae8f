#include "CaptureMessages.h"
#include "MainWindowFixture.h"
#include "MessageBoxes.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

namespace {

const std::vector<UINT> kStartMessages = {WM_CAP_DRIVER_CONNECT, WM_CAP_SET_OVERLAY, WM_CAP_SET_PREVIEW,
                                          WM_CAP_SET_SCALE, WM_CAP_SET_PREVIEWRATE};

using MainWindowHandlers = MainWindowTest;

TEST_F(MainWindowHandlers, Button2StartsOrStopsByItsWholeCaption) {
    struct Case {
        const char* what;
        std::string captionBefore;
        bool startedBefore;
        bool creationFails;
        bool expectStart;
        std::vector<UINT> expectSent;
        std::string captionAfter;
    };
    const std::vector<Case> cases = {
        {"off: starts in Panel1", "啟動攝影機", false, false, true, kStartMessages, "關閉攝影機"},
        {"off, creation fails: caption still changes", "啟動攝影機", false, true, true, {}, "關閉攝影機"},
        {"on: stops", "關閉攝影機", true, false, false, {WM_CAP_DRIVER_DISCONNECT}, "啟動攝影機"},
        {"any other text counts as on", "Camera", true, false, false, {WM_CAP_DRIVER_DISCONNECT}, "啟動攝影機"},
        {"off text with a trailing space is on", "啟動攝影機 ", true, false, false, {WM_CAP_DRIVER_DISCONNECT},
         "啟動攝影機"},
        {"on but never started: sends nothing", "關閉攝影機", false, false, false, {}, "啟動攝影機"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        requests.clear();
        windows.clear();
        CaptureWindow = nullptr;
        failCreation = c.creationFails;
        if (c.startedBefore) {
            windows.push_back(std::make_unique<FakeCaptureWindow>());
            CaptureWindow = windows.back()->Handle();
        }
        form->Button2->SetCaption(c.captionBefore);

        QTest::mouseClick(form->Button2, Qt::LeftButton);

        ASSERT_EQ(requests.size(), c.expectStart ? 1u : 0u);
        if (c.expectStart) {
            EXPECT_EQ(requests[0].parent, form->Panel1->Handle());
            EXPECT_EQ(requests[0].windowName, "Capture Window");
        }
        EXPECT_EQ(MessagesSent(), c.expectSent);
        EXPECT_EQ(form->Button2->Caption(), c.captionAfter);
    }
}

TEST_F(MainWindowHandlers, Button1OpensTheFormatDialogOnlyOnceACaptureWindowExists) {
    form->Button1->Click();
    EXPECT_TRUE(requests.empty());

    form->Button2->Click();
    ASSERT_EQ(windows.size(), 1u);
    windows[0]->messages.clear();
    form->Button1->Click();
    EXPECT_EQ(MessagesSent(), std::vector<UINT>{WM_CAP_DLG_VIDEOFORMAT});
}

// Each grabbing handler arms the callback first, then copies or computes,
// then shows: at the arming the buffer and the view are still as before.
TEST_F(MainWindowHandlers, GrabbingHandlersArmFirstThenCopyThenShow) {
    struct Case {
        const char* what;
        std::function<void(TForm1&)> act;
        TBitmap* buffer;
        TImage* TForm1::*view;
        std::function<TBitmap()> expected;
    };
    const TBitmap frame = GrayBitmap(320, 240, [](int x, int y) { return (3 * x + y) % 256; });
    const TBitmap background = GrayBitmap(320, 240, [](int x, int) { return x % 200; });
    const std::vector<Case> cases = {
        {"設定背景", [](TForm1& f) { f.Button3->Click(); }, &BackgroundImage, &TForm1::Image1, [&] { return frame; }},
        {"timer tick", [](TForm1& f) { f.Timer1Timer(f.Timer1); }, &CurrentImage, &TForm1::Image3,
         [&] { return frame; }},
        {"開始", [](TForm1& f) { f.Button5->Click(); }, &ResultImage, &TForm1::Image2,
         [&] {
             // Threshold 0: every pixel that differs at all is black.
             return GrayBitmap(320, 240, [&](int x, int y) {
                 const int b = x % 200;
                 return (3 * x + y) % 256 == b ? b : 0;
             });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FrameImage = frame;
        CurrentImage = frame;
        BackgroundImage = background;
        ResultImage = TBitmap();
        form->Image1->Picture->Assign(TBitmap());
        form->Image2->Picture->Assign(TBitmap());
        form->Image3->Picture->Assign(TBitmap());
        if (c.buffer != &ResultImage) *c.buffer = TBitmap();
        windows.clear();
        windows.push_back(std::make_unique<FakeCaptureWindow>());
        CaptureWindow = windows.back()->Handle();
        TImage* view = form.data()->*c.view;
        int armings = 0;
        windows.back()->onMessage = [&](const FakeCaptureWindow::Message& m) {
            ASSERT_EQ(m.message, WM_CAP_SET_CALLBACK_FRAME);
            EXPECT_EQ(m.lParam, reinterpret_cast<LPARAM>(&FrameCallback));
            EXPECT_TRUE(c.buffer->Empty());
            EXPECT_TRUE(view->Picture->Empty());
            ++armings;
        };
        MessageBoxAnswerer answerer;

        c.act(*form);

        EXPECT_EQ(armings, 1);
        EXPECT_TRUE(answerer.boxes.empty());
        const QImage expected = ImageOf(c.expected());
        EXPECT_TRUE(SamePixels(ImageOf(*c.buffer), expected));
        EXPECT_TRUE(SamePixels(view->Picture->Image(), expected));
    }
}

TEST_F(MainWindowHandlers, ThresholdFollowsTheBar) {
    struct Step {
        const char* what;
        std::function<void(TScrollBar&)> act;
        int threshold;
    };
    const std::vector<Step> steps = {
        {"code sets 37", [](TScrollBar& b) { b.SetPosition(37); }, 37},
        {"right arrow", [](TScrollBar& b) { QTest::keyClick(&b, Qt::Key_Right); }, 38},
        {"left arrow", [](TScrollBar& b) { QTest::keyClick(&b, Qt::Key_Left); }, 37},
        {"right end", [](TScrollBar& b) { QTest::keyClick(&b, Qt::Key_End); }, 255},
        {"past the right end", [](TScrollBar& b) { QTest::keyClick(&b, Qt::Key_Right); }, 255},
        {"left end", [](TScrollBar& b) { QTest::keyClick(&b, Qt::Key_Home); }, 0},
    };
    for (const Step& step : steps) {
        step.act(*form->ScrollBar1);
        EXPECT_EQ(Threshold, step.threshold) << step.what;
        EXPECT_EQ(form->ScrollBar1->Position(), step.threshold) << step.what;
    }
}

TEST_F(MainWindowHandlers, AtTheRightEndStartShowsTheBackgroundUnchanged) {
    BackgroundImage = GrayBitmap(320, 240, [](int x, int y) { return (x * y) % 256; });
    CurrentImage = GrayBitmap(320, 240, [](int x, int y) { return 255 - (x * y) % 256; });
    QTest::keyClick(form->ScrollBar1, Qt::Key_End);

    form->Button5->Click();

    EXPECT_TRUE(SamePixels(form->Image2->Picture->Image(), ImageOf(BackgroundImage)));
}

TEST_F(MainWindowHandlers, Button4DoesNothing) {
    form->Button2->Click();
    FrameImage = GrayBitmap(320, 240, [](int x, int) { return x % 256; });
    form->Timer1Timer(form->Timer1);
    const std::vector<UINT> sentBefore = MessagesSent();
    form->Button4->setFocus(Qt::OtherFocusReason);
    const QImage shownBefore = form->grab().toImage();
    MessageBoxAnswerer answerer;

    QTest::mouseClick(form->Button4, Qt::LeftButton);
    QTest::qWait(20);

    EXPECT_EQ(MessagesSent(), sentBefore);
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_TRUE(answerer.boxes.empty());
    EXPECT_EQ(Threshold, 0);
    EXPECT_EQ(form->Button2->Caption(), "關閉攝影機");
    EXPECT_TRUE(form->Visible());
    // Only Button4's own look may change (pressed, hovered); blank it out on both.
    QImage after = form->grab().toImage();
    QImage before = shownBefore;
    const QRect button4 = form->Button4->geometry();
    for (QImage* image : {&before, &after}) {
        for (int y = button4.top(); y <= button4.bottom(); ++y) {
            for (int x = button4.left(); x <= button4.right(); ++x) image->setPixel(x, y, 0);
        }
    }
    EXPECT_TRUE(after == before);
}

TEST_F(MainWindowHandlers, EndBeforeAnyStartClosesTheWindowWithoutCaptureMessages) {
    QSignalSpy closed(form.data(), &TForm::Closed);
    QTest::mouseClick(form->Button6, Qt::LeftButton);

    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(requests.empty());
    EXPECT_TRUE(MessagesSent().empty());
}

TEST_F(MainWindowHandlers, EndAfterAStartDisconnectsFirstButClosingByTheFrameSendsNothing) {
    form->Button2->Click();
    ASSERT_EQ(windows.size(), 1u);
    windows[0]->messages.clear();
    bool closedAfterDisconnect = false;
    QObject::connect(form.data(), &TForm::Closed,
                     [&] { closedAfterDisconnect = MessagesSent() == std::vector<UINT>{WM_CAP_DRIVER_DISCONNECT}; });

    form->Button6->Click();
    EXPECT_TRUE(closedAfterDisconnect);

    form->Show();
    windows[0]->messages.clear();
    form->Close();
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(MessagesSent().empty());
}

TEST_F(MainWindowHandlers, StartBeforeAnyFrameShowsTheScanLineErrorOnceAndTheWindowGoesOn) {
    std::string expectedMessage;
    try {
        DetectObjects();
    } catch (const Exception& e) {
        expectedMessage = e.Message();
    }
    ASSERT_NE(expectedMessage.find("scan line 0"), std::string::npos) << expectedMessage;
    ResultImage = TBitmap();

    struct Case {
        const char* what;
        std::vector<TButton* TForm1::*> presses;
    };
    const std::vector<Case> cases = {
        {"開始 alone", {&TForm1::Button5}},
        {"設定背景, then 開始", {&TForm1::Button3, &TForm1::Button5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageBoxAnswerer answerer;
        for (TButton* TForm1::*button : c.presses) QTest::mouseClick(form.data()->*button, Qt::LeftButton);

        ASSERT_EQ(answerer.boxes.size(), 1u);
        EXPECT_EQ(answerer.boxes[0].text, expectedMessage);
        EXPECT_EQ(answerer.boxes[0].icon, QMessageBox::Critical);
        EXPECT_TRUE(form->Image1->Picture->Empty());
        EXPECT_TRUE(form->Image2->Picture->Empty());
        EXPECT_TRUE(form->Visible());
    }

    // The next tick still runs.
    MessageBoxAnswerer answerer;
    FrameImage = GrayBitmap(320, 240, [](int x, int y) { return (x ^ y) % 256; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Image3->Picture->Empty(); }, 2500));
    EXPECT_TRUE(SamePixels(form->Image3->Picture->Image(), ImageOf(FrameImage)));
    EXPECT_TRUE(answerer.boxes.empty());
}

}  // namespace
