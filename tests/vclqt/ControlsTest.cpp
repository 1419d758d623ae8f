#include "Button.h"
#include "Exception.h"
#include "Form.h"
#include "Image.h"
#include "Label.h"
#include "Panel.h"
#include "ScrollBar.h"
#include "Timer.h"
#include "WidgetWindows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ChildNamesInStackingOrder(const QWidget& parent) {
    std::vector<std::string> names;
    for (QObject* child : parent.children()) {
        if (child->isWidgetType()) names.push_back(child->objectName().toStdString());
    }
    return names;
}

template <class T>
T* Make(TForm& form, const std::string& name) {
    T* control = new T(&form);
    control->SetName(name);
    return control;
}

TEST(Controls, WindowedControlsLieAboveGraphicOnesAndLaterAboveEarlier) {
    TForm form;
    Make<TLabel>(form, "label1");
    Make<TButton>(form, "button1");
    Make<TImage>(form, "image1");
    Make<TPanel>(form, "panel1");
    Make<TLabel>(form, "label2");
    Make<TScrollBar>(form, "bar1");

    const std::vector<std::string> bottomToTop = {"label1", "image1", "label2", "button1", "panel1", "bar1"};
    EXPECT_EQ(ChildNamesInStackingOrder(form), bottomToTop);
}

// The names of the controls that Tab visits from `start` on, `count` of them.
std::vector<std::string> TabVisits(TForm& form, QWidget* start, int count) {
    form.Show();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    start->setFocus(Qt::OtherFocusReason);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        QWidget* focused = QApplication::focusWidget();
        names.push_back(focused ? focused->objectName().toStdString() : "(none)");
        if (focused) QTest::keyClick(focused, Qt::Key_Tab);
    }
    return names;
}

TEST(Controls, TabOrderAppendsAndMovesAsInsertionIntoAList) {
    TForm form;
    auto* a = Make<TButton>(form, "a");
    Make<TLabel>(form, "label");
    auto* b = Make<TPanel>(form, "b");
    auto* c = Make<TScrollBar>(form, "c");
    auto* d = Make<TButton>(form, "d");
    auto* e = Make<TButton>(form, "e");
    EXPECT_EQ(a->TabOrder(), 0);
    EXPECT_EQ(b->TabOrder(), 1);
    EXPECT_EQ(c->TabOrder(), 2);
    EXPECT_EQ(d->TabOrder(), 3);
    EXPECT_EQ(e->TabOrder(), 4);

    d->SetTabOrder(0);
    c->SetTabOrder(4);
    a->SetTabOrder(99);
    EXPECT_EQ(d->TabOrder(), 0);
    EXPECT_EQ(b->TabOrder(), 1);
    EXPECT_EQ(e->TabOrder(), 2);
    EXPECT_EQ(c->TabOrder(), 3);
    EXPECT_EQ(a->TabOrder(), 4);

    // The panel takes no focus, so Tab passes it by.
    const std::vector<std::string> visits = {"d", "e", "c", "a", "d"};
    EXPECT_EQ(TabVisits(form, d, 5), visits);
}

TEST(Controls, EveryWindowedControlHasAHandleNamingItUntilItIsDestroyed) {
    TForm form;
    std::vector<TWinControl*> controls = {&form, Make<TPanel>(form, "p"), Make<TButton>(form, "b"),
                                          Make<TScrollBar>(form, "s")};
    std::vector<HWND> handles;
    for (TWinControl* control : controls) {
        ASSERT_TRUE(IsWindow(control->Handle()));
        EXPECT_EQ(WidgetOfWindow(control->Handle()), &control->Widget());
        handles.push_back(control->Handle());
    }
    delete &controls[1]->Widget();
    EXPECT_FALSE(IsWindow(handles[1]));
    EXPECT_TRUE(IsWindow(handles[2]));
}

TEST(Controls, FindComponentFindsControlsAndTimersByName) {
    TForm form;
    auto* button = Make<TButton>(form, "Button1");
    auto* timer = new TTimer(&form);
    timer->SetName("Timer1");

    EXPECT_EQ(form.FindComponent("Button1"), button);
    EXPECT_EQ(form.FindComponent("Timer1"), timer);
    EXPECT_EQ(form.FindComponent("Button2"), nullptr);
}

TEST(Form, BoundsAreThoseOfTheFrameAndCloseEndsWithClosed) {
    TForm form;
    form.SetCaption("Form1 窗口");
    form.SetBounds(214, 130, 795, 590);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    EXPECT_EQ(form.Caption(), "Form1 窗口");
    EXPECT_EQ(form.Left(), 214);
    EXPECT_EQ(form.Top(), 130);
    EXPECT_EQ(form.Width(), 795);
    EXPECT_EQ(form.Height(), 590);

    QSignalSpy closed(&form, &TForm::Closed);
    form.Close();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form.Visible());
}

TEST(Form, ItsFontDrawsChineseCaptionsAtElevenPixels) {
    TForm form;
    auto* label = Make<TLabel>(form, "l");
    const QFontMetrics metrics(label->font());
    EXPECT_EQ(label->font().pixelSize(), 11);
    for (const char32_t c : {U'啟', U'攝', U'影', U'機', U'灰', U'階'}) {
        EXPECT_TRUE(metrics.inFontUcs4(c)) << static_cast<unsigned>(c);
    }
}

TEST(Panel, DrawsItsCaptionCentred) {
    TForm form;
    auto* panel = Make<TPanel>(form, "p");
    panel->SetBounds(0, 0, 233, 193);
    panel->SetCaption("Panel1");
    form.Show();

    const QImage shown = panel->grab().toImage();
    const QRgb background = panel->palette().color(QPalette::Window).rgb();
    int left = shown.width(), right = -1, top = shown.height(), bottom = -1;
    // Inside the 1-pixel raised frame, every pixel that differs is text.
    for (int y = 2; y < shown.height() - 2; ++y) {
        for (int x = 2; x < shown.width() - 2; ++x) {
            if (shown.pixel(x, y) == background) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_GE(right, left) << "no caption drawn";
    EXPECT_NEAR((left + right) / 2.0, 116, 3);
    EXPECT_NEAR((top + bottom) / 2.0, 96, 3);
    EXPECT_EQ(panel->Caption(), "Panel1");
}

// Each OnChange seen: the sender and the position at that moment.
class ScrollBarTest : public testing::Test {
protected:
    void SetUp() override {
        bar = Make<TScrollBar>(form, "bar");
        bar->SetParams(0, 0, 255);
        bar->OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, bar);
            seen.push_back(bar->Position());
        };
    }

    TForm form;
    TScrollBar* bar = nullptr;
    std::vector<int> seen;
};

TEST_F(ScrollBarTest, IsHorizontalWithTheGivenRange) {
    EXPECT_EQ(bar->orientation(), Qt::Horizontal);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 255);
    EXPECT_EQ(bar->SmallChange(), 1);
    EXPECT_EQ(bar->LargeChange(), 1);
    EXPECT_EQ(bar->PageSize(), 0);
}

TEST_F(ScrollBarTest, OnChangeFollowsEveryChangeOfPositionByUserOrCode) {
    struct Step {
        const char* what;
        std::function<void(TScrollBar&)> act;
        std::vector<int> newlySeen;
    };
    const std::vector<Step> steps = {
        {"code sets 5", [](TScrollBar& b) { b.SetPosition(5); }, {5}},
        {"code sets 5 again", [](TScrollBar& b) { b.SetPosition(5); }, {}},
        {"user presses right", [](TScrollBar& b) { QTest::keyClick(&b, Qt::Key_Right); }, {6}},
        {"user presses end", [](TScrollBar& b) { QTest::keyClick(&b, Qt::Key_End); }, {255}},
        {"code goes beyond the end", [](TScrollBar& b) { b.SetPosition(300); }, {}},
        {"user presses home", [](TScrollBar& b) { QTest::keyClick(&b, Qt::Key_Home); }, {0}},
        {"code sets 200", [](TScrollBar& b) { b.SetPosition(200); }, {200}},
        {"range narrows below it", [](TScrollBar& b) { b.SetMax(100); }, {100}},
        {"a page of 10 ends the range at 91", [](TScrollBar& b) { b.SetPageSize(10); }, {91}},
    };
    for (const Step& step : steps) {
        seen.clear();
        step.act(*bar);
        EXPECT_EQ(seen, step.newlySeen) << step.what;
    }
}

TEST_F(ScrollBarTest, AnInvalidRangeRaisesAndKeepsTheOldOne) {
    EXPECT_THROW(bar->SetParams(0, 10, 5), Exception);
    EXPECT_THROW(bar->SetPageSize(300), Exception);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 255);
    EXPECT_EQ(bar->PageSize(), 0);
}

TEST(Timer, StartsEnabledAtOneSecondAndTicksWhileEnabled) {
    QObject owner;
    auto* timer = new TTimer(&owner);
    EXPECT_EQ(timer->Interval(), 1000);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_TRUE(timer->Running());

    int ticks = 0;
    timer->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, timer);
        ++ticks;
    };
    timer->SetInterval(10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));

    timer->SetEnabled(false);
    EXPECT_FALSE(timer->Running());
    const int stoppedAt = ticks;
    QTest::qWait(50);
    EXPECT_EQ(ticks, stoppedAt);

    timer->SetEnabled(true);
    timer->SetInterval(0);
    EXPECT_FALSE(timer->Running());
}

}  // namespace
