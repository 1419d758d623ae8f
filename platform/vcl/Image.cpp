#include "Image.h"

#include <QPainter>

TImage::TImage(TWinControl* parent)
    : QWidget(parent ? &parent->Widget() : nullptr),
      TGraphicControl(static_cast<QWidget&>(*this)),
      Picture(&picture_),
      picture_([this] { update(); }) {
    // An empty picture leaves the view in the window's own colour.
    setAutoFillBackground(true);
}

void TImage::paintEvent(QPaintEvent*) {
    if (picture_.Empty()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_.Image());
}
