#include "ErrorBox.h"

#include "Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <cstdio>
#include <memory>

namespace {

bool CanShowWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

void WriteToStandardError(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", Application->Title().c_str(), message.c_str());
}

QMessageBox* NewErrorBox(const std::string& message) {
    auto* box = new QMessageBox(QMessageBox::Critical, QString::fromStdString(Application->Title()),
                                QString::fromStdString(message), QMessageBox::Ok);
    // Messages are plain text, never markup.
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

}  // namespace

void ShowErrorBox(const std::string& message) {
    if (!CanShowWidgets()) {
        WriteToStandardError(message);
        return;
    }
    const std::unique_ptr<QMessageBox> box(NewErrorBox(message));
    box->exec();
}

QMessageBox* OpenErrorBox(const std::string& message) {
    if (!CanShowWidgets()) {
        WriteToStandardError(message);
        return nullptr;
    }
    QMessageBox* box = NewErrorBox(message);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    return box;
}
