#include "Label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QString>

#include <algorithm>

TLabel::TLabel(TWinControl* parent)
    : QLabel(parent ? &parent->Widget() : nullptr), TGraphicControl(static_cast<QWidget&>(*this)) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(false);
}

std::string TLabel::Caption() const { return text().toStdString(); }

void TLabel::SetCaption(const std::string& caption) {
    setText(QString::fromStdString(caption));
    FitText();
}

void TLabel::SetBounds(int left, int top, int width, int height) {
    givenWidth_ = width;
    TGraphicControl::SetBounds(left, top, width, height);
    FitText();
}

int TLabel::TextWidth() const { return fontMetrics().horizontalAdvance(text()); }

// A caption laid out for another font can be wider in this one; cutting its
// end off would show a different text.
void TLabel::FitText() { resize(std::max(givenWidth_, TextWidth()), height()); }

void TLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) FitText();
}
