#include "Panel.h"

#include <QPainter>
#include <QString>

TPanel::TPanel(TWinControl* parent)
    : QFrame(parent ? &parent->Widget() : nullptr), TWinControl(static_cast<QWidget&>(*this)) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
}

void TPanel::SetCaption(const std::string& caption) {
    caption_ = caption;
    update();
}

void TPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    // Drawn rather than held in a child label, so the panel's only children
    // are the windows placed in it.
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignCenter, QString::fromStdString(caption_));
}
