#include "Application.h"
#include "Button.h"
#include "MessageBoxes.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <string>

namespace {

// Each test's forms are released at its end, so the next test's first form
// becomes the main form.
class ApplicationObject : public testing::Test {
protected:
    void TearDown() override { Application->Shutdown(); }
};

TEST_F(ApplicationObject, ShowExceptionShowsTheMessageEvenWhenEmpty) {
    for (const std::string message : {"no frame yet", ""}) {
        MessageBoxAnswerer answerer;
        Application->ShowException(Exception(message));
        ASSERT_EQ(answerer.boxes.size(), 1u);
        EXPECT_EQ(answerer.boxes[0].text, message);
        EXPECT_EQ(answerer.boxes[0].icon, QMessageBox::Critical);
    }
}

TEST_F(ApplicationObject, RunEndsWhenTheMainFormClosesAndShutdownReleasesTheForms) {
    TForm* main = nullptr;
    TForm* other = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(other);
    ASSERT_EQ(Application->MainForm(), main);
    const QPointer<TForm> mainAlive(main);
    const QPointer<TForm> otherAlive(other);
    // Closing another form does not end the loop.
    QTimer::singleShot(20, other, [other] { other->Close(); });
    QTimer::singleShot(60, main, [main] {
        EXPECT_TRUE(main->Visible());
        main->Close();
    });

    Application->Run();
    EXPECT_TRUE(mainAlive);
    EXPECT_FALSE(main->Visible());

    Application->Shutdown();
    EXPECT_FALSE(mainAlive);
    EXPECT_FALSE(otherAlive);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(ApplicationObject, RunEndsEvenWhileAnErrorBoxIsOpen) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    auto* button = new TButton(main);
    button->OnClick = [](TObject*) { throw Exception("left open"); };
    QTimer::singleShot(0, button, [button] { button->Click(); });
    // The box is up and nobody answers it; the main form closes beneath it.
    QTimer::singleShot(50, main, [main] {
        EXPECT_EQ(VisibleMessageBoxes().size(), 1u);
        main->Close();
    });

    Application->Run();

    EXPECT_TRUE(VisibleMessageBoxes().empty());
}

TEST_F(ApplicationObject, ATerminationSignalClosesTheMainForm) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        Application->Initialize();
        TForm* main = nullptr;
        Application->CreateForm(main);
        bool closed = false;
        QObject::connect(main, &TForm::Closed, [&] { closed = true; });
        QTimer::singleShot(20, [signal] { std::raise(signal); });

        Application->Run();
        struct sigaction after {};
        sigaction(signal, nullptr, &after);
        Application->Shutdown();

        EXPECT_TRUE(closed);
        EXPECT_EQ(after.sa_handler, SIG_DFL) << "after the loop a signal ends the process";
    }
}

}  // namespace
