#include "Label.h"

#include <QString>

TLabel::TLabel(TWinControl* parent)
    : QLabel(parent ? &parent->Widget() : nullptr), TGraphicControl(static_cast<QWidget&>(*this)) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(false);
}

std::string TLabel::Caption() const { return text().toStdString(); }

void TLabel::SetCaption(const std::string& caption) { setText(QString::fromStdString(caption)); }
