#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

// What a message box showed.
struct SeenBox {
    std::string title;
    std::string text;
    QMessageBox::Icon icon;
};

// Presses OK on every modal message box once it is up and `mayClose` agrees,
// and keeps what each box showed. It polls, so it also answers boxes that
// run a loop of their own.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(std::function<bool()> mayClose = {}) : mayClose_(std::move(mayClose)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }

    std::vector<SeenBox> boxes;

private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || (mayClose_ && !mayClose_())) return;
        boxes.push_back({box->windowTitle().toStdString(), box->text().toStdString(), box->icon()});
        box->button(QMessageBox::Ok)->click();
    }

    std::function<bool()> mayClose_;
    QTimer timer_;
};

// The message boxes on screen now.
inline std::vector<QMessageBox*> VisibleMessageBoxes() {
    std::vector<QMessageBox*> boxes;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(window);
        if (box != nullptr && box->isVisible()) boxes.push_back(box);
    }
    return boxes;
}
