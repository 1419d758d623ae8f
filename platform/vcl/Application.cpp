#include "Application.h"

#include "ErrorBox.h"
#include "Form.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QMetaObject>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

// The last guard: an exception from Qt's own callbacks (a paint, a capture
// window's timer) would otherwise unwind through Qt; it is shown like any
// handler's error.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            Application->HandleException(nullptr);
            return false;
        }
    }
};

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Qt aborts the process when its window system cannot be reached; asking
// first turns that into an error the entry can show and survive.
void CheckDisplay() {
    const std::string platform = Environment("QT_QPA_PLATFORM");
    const bool hasX = !Environment("DISPLAY").empty();
    const bool hasWayland = !Environment("WAYLAND_DISPLAY").empty();
    const bool needsX = platform.rfind("xcb", 0) == 0;
    const bool needsWayland = platform.rfind("wayland", 0) == 0;
    if ((platform.empty() && !hasX && !hasWayland) || (needsX && !hasX) || (needsWayland && !hasWayland)) {
        throw Exception("no display to open the window on: DISPLAY and WAYLAND_DISPLAY are not set. Start "
                        "bgdiff from a desktop session, or run scripts/screenshot.sh for a virtual one.");
    }
}

TApplication theApplication;

// Qt keeps references to the arguments for the application's whole life.
int qtArgc = 1;
char programName[] = "bgdiff";
char* qtArgv[] = {programName, nullptr};

}  // namespace

TApplication* Application = &theApplication;

void TApplication::Initialize() {
    if (QCoreApplication::instance() == nullptr) {
        CheckDisplay();
        ownApplication_ = new GuardedApplication(qtArgc, qtArgv);
    }
    InstallTerminationSignals();
}

void TApplication::AddForm(TForm* form) {
    forms_.emplace_back(form);
    if (!mainForm_) mainForm_ = form;
}

void TApplication::Run() {
    if (!mainForm_) return;
    // The main form, not the last window, decides when the loop ends: a
    // message box may be the last window open.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    const QMetaObject::Connection ending =
        QObject::connect(mainForm_.data(), &TForm::Closed, [] { QCoreApplication::exit(0); });
    // A termination signal closes the main form as the user would.
    const QPointer<TForm> mainForm = mainForm_;
    const TerminationWatch watch([mainForm] {
        if (mainForm) mainForm->Close();
    });
    mainForm_->Show();
    // exit() ends every loop that runs, so a message box open at the end
    // does not keep the program alive.
    QApplication::exec();
    QObject::disconnect(ending);
    // From here a signal ends the process at once, so a shut-down that
    // hangs can still be interrupted.
    RestoreTerminationSignals();
}

void TApplication::Shutdown() noexcept {
    for (const QPointer<TForm>& form : forms_) delete form.data();
    forms_.clear();
    delete ownApplication_;
    ownApplication_ = nullptr;
}

std::string TApplication::Title() const {
    if (!title_.empty() || QCoreApplication::instance() == nullptr) return title_;
    return QCoreApplication::applicationName().toStdString();
}

void TApplication::ShowException(const Exception& error) { ShowErrorBox(error.Message()); }

void TApplication::HandleException(TObject*) noexcept {
    try {
        try {
            throw;
        } catch (const Exception& error) {
            ShowException(error);
        } catch (const std::exception& error) {
            ShowException(Exception(error.what()));
        } catch (...) {
            ShowException(Exception(""));
        }
    } catch (...) {
        // Showing failed too (out of memory): all that is left is to say so.
        std::fputs("an error could not be shown\n", stderr);
    }
}
