#include "FrameErrorBox.h"
#include "MessageBoxes.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ShownTexts() {
    std::vector<std::string> texts;
    for (QMessageBox* box : VisibleMessageBoxes()) texts.push_back(box->text().toStdString());
    return texts;
}

void CloseAllBoxes() {
    for (QMessageBox* box : VisibleMessageBoxes()) box->button(QMessageBox::Ok)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class FrameErrorBoxTest : public testing::Test {
protected:
    void TearDown() override { CloseAllBoxes(); }

    std::uint64_t successes = 0;
    FrameErrorBox report{[this] { return successes; }};
};

TEST_F(FrameErrorBoxTest, OpensWithoutBlockingAsAModalCriticalBox) {
    report(Exception("frame 1 cannot be loaded"));

    const std::vector<QMessageBox*> boxes = VisibleMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]->text().toStdString(), "frame 1 cannot be loaded");
    EXPECT_EQ(boxes[0]->icon(), QMessageBox::Critical);
    EXPECT_EQ(boxes[0]->windowModality(), Qt::ApplicationModal);
}

TEST_F(FrameErrorBoxTest, RepeatedFailuresNeverPileUp) {
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> shown;
    };
    const std::vector<Step> steps = {
        {"first failure", [&] { report(Exception("A")); }, {"A"}},
        {"another failure while open", [&] { report(Exception("B")); }, {"A"}},
        {"the same again while open", [&] { report(Exception("A")); }, {"A"}},
        {"user closes the box", [&] { CloseAllBoxes(); }, {}},
        {"same failure, no good frame since", [&] { report(Exception("A")); }, {}},
        {"a good frame, then the same failure", [&] { ++successes; report(Exception("A")); }, {"A"}},
        {"user closes the box again", [&] { CloseAllBoxes(); }, {}},
        {"a different failure", [&] { report(Exception("B")); }, {"B"}},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(ShownTexts(), step.shown) << step.what;
    }
}

TEST_F(FrameErrorBoxTest, CopiesShareOneBox) {
    const std::function<void(const Exception&)> reporter = report;
    report(Exception("A"));
    reporter(Exception("B"));
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"A"});
}

}  // namespace
