#include "Application.h"

#include "ErrorBox.h"
#include "Form.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QMetaObject>

#include <cstdio>
#include <exception>

namespace {

TApplication theApplication;

// Qt keeps references to the arguments for the application's whole life.
int qtArgc = 1;
char programName[] = "bgdiff";
char* qtArgv[] = {programName, nullptr};

}  // namespace

TApplication* Application = &theApplication;

void TApplication::Initialize() {
    if (QCoreApplication::instance() == nullptr) ownApplication_ = new QApplication(qtArgc, qtArgv);
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
