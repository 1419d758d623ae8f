#include "Application.h"
#include "Button.h"
#include "EventDispatch.h"
#include "Exception.h"
#include "Form.h"
#include "MessageBoxes.h"
#include "Timer.h"

#include <gtest/gtest.h>

#include <QTest>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

struct Failure {
    const char* what;
    std::function<void()> raise;
    std::string shown;
};

const Failure kFailures[] = {
    {"platform exception", [] { throw Exception("scan line 0 is out of range"); }, "scan line 0 is out of range"},
    {"platform exception without message", [] { throw Exception(""); }, ""},
    {"standard exception", [] { throw std::runtime_error("runtime trouble"); }, "runtime trouble"},
    {"anything else", [] { throw 42; }, ""},
};

TEST(EventDispatch, AnExceptionFromAClickIsShownOnceAndTheButtonGoesOnWorking) {
    for (const Failure& failure : kFailures) {
        SCOPED_TRACE(failure.what);
        TForm form;
        auto* button = new TButton(&form);
        int clicks = 0;
        button->OnClick = [&](TObject* sender) {
            EXPECT_EQ(sender, button);
            if (++clicks == 1) failure.raise();
        };
        form.Show();
        MessageBoxAnswerer answerer;

        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_EQ(answerer.boxes.size(), 1u);
        EXPECT_EQ(answerer.boxes[0].text, failure.shown);
        EXPECT_EQ(answerer.boxes[0].title, Application->Title());
        EXPECT_EQ(answerer.boxes[0].icon, QMessageBox::Critical);

        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(clicks, 2);
        EXPECT_EQ(answerer.boxes.size(), 1u);
    }
}

TEST(EventDispatch, TimerTicksGoOnWhileAnErrorBoxIsOpen) {
    TForm form;
    auto* button = new TButton(&form);
    button->OnClick = [](TObject*) { throw Exception("bad press"); };
    auto* timer = new TTimer(&form);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { ++ticks; };
    timer->SetInterval(10);
    // The box stays open until the timer ticked three times inside its loop.
    int ticksWhenClicked = 0;
    MessageBoxAnswerer answerer([&] { return ticks >= ticksWhenClicked + 3; });

    ticksWhenClicked = ticks;
    button->Click();

    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].text, "bad press");
    EXPECT_GE(ticks, ticksWhenClicked + 3);
}

TEST(EventDispatch, AFailingTimerHandlerShowsEachFailureAndKeepsTicking) {
    QObject owner;
    auto* timer = new TTimer(&owner);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { throw Exception("tick " + std::to_string(++ticks)); };
    MessageBoxAnswerer answerer;
    timer->SetInterval(10);

    ASSERT_TRUE(QTest::qWaitFor([&] { return answerer.boxes.size() >= 2; }, 5000));
    EXPECT_EQ(answerer.boxes[0].text, "tick 1");
    EXPECT_EQ(answerer.boxes[1].text, "tick 2");
}

TEST(EventDispatch, AnEmptyEventDoesNothing) {
    MessageBoxAnswerer answerer;
    DispatchEvent(TNotifyEvent(), nullptr);
    QTest::qWait(20);
    EXPECT_TRUE(answerer.boxes.empty());
}

}  // namespace
