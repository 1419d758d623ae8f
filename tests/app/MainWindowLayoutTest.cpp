#include "MainWindowFixture.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// The form as its designer laid it out, in creation order. Places are in the
// client area; tab order -1 means none.
struct Expected {
    const char* name;
    const char* className;
    int left, top, width, height;
    const char* caption;
    int tabOrder;
};

const Expected kLayout[] = {
    {"Label1", "TLabel", 16, 0, 48, 13, "原始影像", -1},
    {"Image1", "TImage", 264, 24, 233, 193, "", -1},
    {"Image2", "TImage", 512, 24, 225, 193, "", -1},
    {"Label3", "TLabel", 512, 8, 74, 13, "物體l邊緣偵測", -1},
    {"Label4", "TLabel", 152, 368, 69, 13, "0               255", -1},
    {"Image3", "TImage", 264, 256, 233, 233, "", -1},
    {"Label15", "TLabel", 272, 232, 3, 13, "", -1},
    {"Label16", "TLabel", 264, 232, 96, 13, "轉換灰階原始影像", -1},
    {"Label2", "TLabel", 264, 0, 60, 13, "背景二值化", -1},
    {"Panel1", "TPanel", 16, 24, 233, 193, "Panel1", 0},
    {"Button2", "TButton", 16, 232, 113, 33, "啟動攝影機", 1},
    {"Button3", "TButton", 16, 280, 65, 33, "設定背景", 2},
    {"Button4", "TButton", 104, 280, 65, 33, "重新", 3},
    {"Button5", "TButton", 192, 280, 57, 33, "開始", 4},
    {"Button6", "TButton", 16, 344, 65, 33, "結束", 5},
    {"ScrollBar1", "TScrollBar", 126, 344, 113, 17, "", 6},
    {"Button1", "TButton", 152, 232, 97, 33, "設定攝影機", 7},
};

std::string CaptionOf(TComponent& component) {
    if (auto* label = dynamic_cast<TLabel*>(&component)) return label->Caption();
    if (auto* button = dynamic_cast<TButton*>(&component)) return button->Caption();
    if (auto* panel = dynamic_cast<TPanel*>(&component)) return panel->Caption();
    return "";
}

bool IsWindowed(const Expected& e) { return e.tabOrder >= 0; }

using MainWindowLayout = MainWindowTest;

TEST_F(MainWindowLayout, MatchesTheFormDescription) {
    EXPECT_EQ(form->ClassName(), "TForm1");
    EXPECT_EQ(form->Caption(), "Form1");
    EXPECT_EQ(form->Left(), 214);
    EXPECT_EQ(form->Top(), 130);
    EXPECT_EQ(form->Width(), 795);
    EXPECT_EQ(form->Height(), 590);

    std::vector<QObject*> graphic, windowed;
    for (const Expected& e : kLayout) {
        SCOPED_TRACE(e.name);
        auto* control = dynamic_cast<TControl*>(form->FindComponent(e.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->ClassName(), e.className);
        EXPECT_EQ(control->Left(), e.left);
        EXPECT_EQ(control->Top(), e.top);
        // A label widens only as far as its text needs in the form's font.
        auto* label = dynamic_cast<TLabel*>(control);
        EXPECT_EQ(control->Width(), label != nullptr ? std::max(e.width, label->TextWidth()) : e.width);
        if (label != nullptr) {
            EXPECT_LE(label->TextWidth(), control->Width()) << "the whole caption shows";
        }
        EXPECT_EQ(control->Height(), e.height);
        EXPECT_EQ(control->Widget().parentWidget(), form.data());
        EXPECT_EQ(CaptionOf(*control), e.caption);
        auto* winControl = dynamic_cast<TWinControl*>(control);
        EXPECT_EQ(winControl != nullptr, IsWindowed(e));
        if (winControl != nullptr) {
            EXPECT_EQ(winControl->TabOrder(), e.tabOrder);
        }
        (IsWindowed(e) ? windowed : graphic).push_back(&control->Widget());
        // Every character of the caption has a glyph in the control's font.
        const QString caption = QString::fromStdString(e.caption);
        const QFontMetrics metrics(control->Widget().font());
        for (const QChar c : caption) EXPECT_TRUE(metrics.inFont(c)) << "U+" << std::hex << static_cast<unsigned>(c.unicode());
    }

    // Stacking, bottom to top: the graphic controls in creation order, then
    // the windowed ones in creation order.
    std::vector<QObject*> expectedStack = graphic;
    expectedStack.insert(expectedStack.end(), windowed.begin(), windowed.end());
    std::vector<QObject*> stack;
    for (QObject* child : form->children()) {
        if (child->isWidgetType()) stack.push_back(child);
    }
    EXPECT_EQ(stack, expectedStack);

    // Tab goes round the windowed controls that take the focus, in tab order;
    // the panel takes none.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    form->Button2->setFocus(Qt::OtherFocusReason);
    std::vector<std::string> visited;
    for (int i = 0; i < 8; ++i) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        visited.push_back(focused->objectName().toStdString());
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    const std::vector<std::string> tabChain = {"Button2", "Button3",    "Button4", "Button5",
                                               "Button6", "ScrollBar1", "Button1", "Button2"};
    EXPECT_EQ(visited, tabChain);
    EXPECT_EQ(form->Panel1->focusPolicy(), Qt::NoFocus);
}

TEST_F(MainWindowLayout, TheControlsFieldsNameTheControlsOfTheForm) {
    const std::vector<std::pair<const char*, TComponent*>> fields = {
        {"Label1", form->Label1},   {"Image1", form->Image1},   {"Image2", form->Image2},
        {"Label3", form->Label3},   {"Label4", form->Label4},   {"Image3", form->Image3},
        {"Label15", form->Label15}, {"Label16", form->Label16}, {"Label2", form->Label2},
        {"Panel1", form->Panel1},   {"Button2", form->Button2}, {"Button3", form->Button3},
        {"Button4", form->Button4}, {"Button5", form->Button5}, {"Button6", form->Button6},
        {"ScrollBar1", form->ScrollBar1}, {"Button1", form->Button1}, {"Timer1", form->Timer1},
    };
    for (const auto& [name, field] : fields) {
        EXPECT_EQ(form->FindComponent(name), field) << name;
        ASSERT_NE(field, nullptr) << name;
        EXPECT_EQ(field->Name(), name);
    }
}

TEST_F(MainWindowLayout, StartsWithBlankViewsThresholdZeroAndTheBarAtZero) {
    for (TImage* view : {form->Image1, form->Image2, form->Image3}) EXPECT_TRUE(view->Picture->Empty());
    EXPECT_EQ(Threshold, 0);
    EXPECT_EQ(form->ScrollBar1->orientation(), Qt::Horizontal);
    EXPECT_EQ(form->ScrollBar1->Min(), 0);
    EXPECT_EQ(form->ScrollBar1->Max(), 255);
    EXPECT_EQ(form->ScrollBar1->Position(), 0);
    EXPECT_EQ(form->ScrollBar1->PageSize(), 0);
    EXPECT_EQ(form->ScrollBar1->SmallChange(), 1);
    EXPECT_EQ(form->ScrollBar1->LargeChange(), 1);
    EXPECT_TRUE(requests.empty());
}

TEST_F(MainWindowLayout, Timer1TicksEverySecondFromCreation) {
    EXPECT_EQ(form->Timer1->ClassName(), "TTimer");
    EXPECT_EQ(form->Timer1->Interval(), 1000);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_TRUE(form->Timer1->Running());

    // A tick shows the waiting frame in Image3.
    FrameImage = GrayBitmap(320, 240, [](int x, int y) { return (x + 2 * y) % 256; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Image3->Picture->Empty(); }, 2500));
    EXPECT_TRUE(SamePixels(form->Image3->Picture->Image(), ImageOf(FrameImage)));
}

}  // namespace
