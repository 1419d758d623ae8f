#include "Form.h"

#include <QCloseEvent>
#include <QFont>
#include <QString>
#include <QStringList>

TForm::TForm() : QWidget(nullptr), TWinControl(static_cast<QWidget&>(*this)) {
    QFont font;
    // The first family that has a glyph draws it, so Chinese captions never
    // show as empty boxes whatever Latin family the system prefers.
    font.setFamilies({"WenQuanYi Zen Hei", "Noto Sans CJK TC", "Noto Sans CJK SC", "Sans Serif"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    setFont(font);
}

std::string TForm::Caption() const { return windowTitle().toStdString(); }

void TForm::SetCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

int TForm::Left() const { return frameGeometry().x(); }
int TForm::Top() const { return frameGeometry().y(); }
int TForm::Width() const { return frameGeometry().width(); }
int TForm::Height() const { return frameGeometry().height(); }

void TForm::SetBounds(int left, int top, int width, int height) {
    outerSize_ = QSize(width, height);
    fittedMargins_ = QSize();
    // For a window, move() places the frame, resize() sizes the client area.
    move(left, top);
    resize(outerSize_);
    FitClientToFrame();
}

void TForm::Show() { show(); }

void TForm::Close() { close(); }

TComponent* TForm::FindComponent(const std::string& name) const {
    for (QObject* child : findChildren<QObject*>(QString::fromStdString(name))) {
        if (auto* component = dynamic_cast<TComponent*>(child)) return component;
    }
    return nullptr;
}

void TForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) emit Closed();
}

bool TForm::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The window manager tells the frame's margins only once the window is
    // mapped, and may tell them late, in a move or resize.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        FitClientToFrame();
        break;
    default:
        break;
    }
    return handled;
}

void TForm::FitClientToFrame() {
    // A maximised, full-screen or minimised window has the size the window
    // manager gave it.
    if (outerSize_.isEmpty() || !isWindow() ||
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))) {
        return;
    }
    const QSize margins = frameGeometry().size() - geometry().size();
    if (margins == fittedMargins_) return;
    fittedMargins_ = margins;
    resize(outerSize_ - margins);
}
