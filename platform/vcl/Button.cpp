#include "Button.h"

#include "EventDispatch.h"

#include <QString>

TButton::TButton(TWinControl* parent)
    : QPushButton(parent ? &parent->Widget() : nullptr), TWinControl(static_cast<QWidget&>(*this)) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { DispatchEvent(OnClick, this); });
}

std::string TButton::Caption() const { return text().toStdString(); }

void TButton::SetCaption(const std::string& caption) { setText(QString::fromStdString(caption)); }

void TButton::Click() { click(); }
