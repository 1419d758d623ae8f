#pragma once

#include "Component.h"
#include "Exception.h"
#include "Form.h"

#include <QPointer>

#include <string>
#include <vector>

class QApplication;

// The application object: starts Qt, makes the forms, runs the event loop
// and shows the errors that event handlers raise.
class TApplication : public TObject {
public:
    std::string ClassName() const override { return "TApplication"; }

    // Makes the Qt widget application unless one exists, and lets SIGTERM and
    // SIGINT close the main form from then on.
    void Initialize();

    // Makes a form of class T and stores it in `reference`; the first form
    // made becomes the main form.
    template <class T>
    void CreateForm(T*& reference) {
        T* form = new T();
        reference = form;
        AddForm(form);
    }

    // Shows the main form and runs the event loop until it closes.
    void Run();

    // Releases the forms made by CreateForm that still exist, then the Qt
    // application that Initialize made, so Qt ends before the process's
    // static destructors run. The program's entry calls it last.
    void Shutdown() noexcept;

    TForm* MainForm() const { return mainForm_; }

    // The title of message boxes: the Qt application name unless set.
    std::string Title() const;
    void SetTitle(const std::string& title) { title_ = title; }

    // Shows the exception's message in a message box and returns when the
    // user closed it. An empty message gives an empty box.
    void ShowException(const Exception& error);

    // Shows the exception being handled: an Exception with its message, any
    // other std::exception with what(), anything else with an empty message.
    // Call only from inside a catch block. Throws nothing.
    void HandleException(TObject* sender) noexcept;

private:
    void AddForm(TForm* form);

    // Released by Shutdown only: Qt must not be torn down by a static destructor.
    QApplication* ownApplication_ = nullptr;
    std::vector<QPointer<TForm>> forms_;
    QPointer<TForm> mainForm_;
    std::string title_;
};

extern TApplication* Application;
