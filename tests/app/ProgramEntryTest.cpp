#include "Application.h"
#include "FormatDialog.h"
#include "MainWindowFixture.h"
#include "MessageBoxes.h"
#include "ProgramEntry.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>

#include <QProcess>
#include <QTest>
#include <QProcessEnvironment>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(ProgramEntry, AnExceptionEscapingTheStepsIsShownOnceAndTheResultIsZero) {
    struct Case {
        const char* what;
        std::function<void()> steps;
        std::vector<std::string> shown;
    };
    const std::vector<Case> cases = {
        {"nothing escapes", [] {}, {}},
        {"platform exception", [] { throw Exception("cannot make the window"); }, {"cannot make the window"}},
        {"platform exception without message", [] { throw Exception(""); }, {""}},
        {"standard exception: replaced by an empty one", [] { throw std::runtime_error("lost"); }, {""}},
        {"anything else: replaced by an empty one", [] { throw 7; }, {""}},
    };
    for (const Case& c : cases) {
        MessageBoxAnswerer answerer;
        EXPECT_EQ(RunProgram(c.steps), 0) << c.what;
        std::vector<std::string> shown;
        for (const SeenBox& box : answerer.boxes) shown.push_back(box.text);
        EXPECT_EQ(shown, c.shown) << c.what;
    }
}

// The whole entry in this process, ended by closing the window by its frame.
class ProgramRun : public MainWindowTestBase {
protected:
    // Runs the entry's steps; `whileRunning` runs once the loop is up, and
    // must end by closing the window. True when Form1 was released at the end.
    bool RunUntilClosed(const std::function<void()>& whileRunning) {
        EXPECT_EQ(RunProgram([&] {
                      CreateProgram();
                      form = Form1;
                      QTimer::singleShot(0, Form1, whileRunning);
                      Application->Run();
                  }),
                  0);
        return form.isNull();
    }

    MessageBoxAnswerer answerer;
};

TEST_F(ProgramRun, ClosingBeforeAnyStartReturnsZeroAndSendsNoCaptureMessage) {
    std::vector<CaptureWindowRequest> requests;
    SetCaptureWindowFactory([&](const CaptureWindowRequest& request) -> HWND {
        requests.push_back(request);
        return nullptr;
    });
    bool shown = false;

    EXPECT_TRUE(RunUntilClosed([&] {
        shown = Form1->Visible() && Application->MainForm() == Form1;
        Form1->Close();
    }));

    EXPECT_TRUE(shown);
    EXPECT_TRUE(requests.empty());
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(ProgramRun, ClosingWhileTheCameraRunsReturnsZeroAndReleasesTheWindow) {
    setenv("BGDIFF_VIDEO_SOURCE", "test", 0);
    bool grabbed = false;

    EXPECT_TRUE(RunUntilClosed([&] {
        Form1->Button2->Click();
        grabbed = QTest::qWaitFor([] { return !Form1->Image3->Picture->Empty(); }, 5000);
        Form1->Close();
    }));

    EXPECT_TRUE(grabbed);
    EXPECT_TRUE(answerer.boxes.empty());
}

// Opens the format dialog with 設定攝影機 and picks the depth.
void ChooseDepth(const QString& depth) {
    QTimer::singleShot(0, [depth] {
        if (!QTest::qWaitFor([] { return qobject_cast<FormatDialog*>(QApplication::activeModalWidget()); }, 2000)) {
            return;
        }
        auto* dialog = qobject_cast<FormatDialog*>(QApplication::activeModalWidget());
        auto* box = dialog->findChild<QComboBox*>("depth");
        box->setCurrentIndex(box->findText(depth));
        dialog->findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Ok)->click();
    });
    Form1->Button1->Click();
}

// Frames of a depth that cannot be grabbed give one error box however many
// ticks pass, and the views keep the last good frame; back at 24 bits the
// views move on, with no new box.
TEST_F(ProgramRun, AnUngrabbableDepthShowsOneBoxAndTwentyFourBitsBringTheViewsBack) {
    setenv("BGDIFF_VIDEO_SOURCE", "test", 0);
    bool grabbed = false;
    bool keptDuringErrors = false;
    bool viewsBack = false;
    std::size_t boxesDuringErrors = 0;

    EXPECT_TRUE(RunUntilClosed([&] {
        Form1->Button2->Click();
        grabbed = QTest::qWaitFor([] { return !Form1->Image3->Picture->Empty(); }, 5000);
        ChooseDepth("16 bits");
        QTest::qWait(1100);
        const QImage kept = Form1->Image3->Picture->Image();
        QTest::qWait(3200);
        boxesDuringErrors = answerer.boxes.size();
        keptDuringErrors = Form1->Image3->Picture->Image() == kept;
        ChooseDepth("24 bits");
        viewsBack = QTest::qWaitFor([&] { return Form1->Image3->Picture->Image() != kept; }, 3500);
        QTest::qWait(1200);
        Form1->Close();
    }));

    EXPECT_TRUE(grabbed);
    EXPECT_EQ(boxesDuringErrors, 1u);
    EXPECT_TRUE(keptDuringErrors);
    EXPECT_TRUE(viewsBack);
    ASSERT_EQ(answerer.boxes.size(), 1u) << "no box after frames work again";
    EXPECT_NE(answerer.boxes[0].text.find("16"), std::string::npos) << answerer.boxes[0].text;
}

// The built program as a process of its own, on the test scene.
TEST(ProgramProcess, ATerminationSignalClosesTheWindowAndTheProgramReturnsZero) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("BGDIFF_VIDEO_SOURCE", "test");
        program.setProcessEnvironment(environment);
        program.start(BGDIFF_PROGRAM, {});
        ASSERT_TRUE(program.waitForStarted(10000)) << program.errorString().toStdString();

        // Long enough to open the window and tick once.
        EXPECT_FALSE(program.waitForFinished(1500)) << "the program ended by itself";
        ASSERT_EQ(kill(static_cast<pid_t>(program.processId()), signal), 0);
        ASSERT_TRUE(program.waitForFinished(10000));

        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_EQ(program.readAllStandardError().indexOf("an error could not be shown"), -1);
    }
}

// With no display the program says so on standard error and returns 0,
// rather than being aborted by the window system.
TEST(ProgramProcess, WithoutADisplayTheProgramSaysSoAndReturnsZero) {
    for (const char* platform : {"", "xcb"}) {
        SCOPED_TRACE(platform);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("QT_QPA_PLATFORM", platform);
        program.setProcessEnvironment(environment);
        program.start(BGDIFF_PROGRAM, {});
        ASSERT_TRUE(program.waitForFinished(10000));

        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_NE(program.readAllStandardError().indexOf("no display"), -1);
    }
}

}  // namespace
