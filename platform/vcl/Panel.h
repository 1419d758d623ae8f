#pragma once

#include "Control.h"

#include <QFrame>

#include <string>

// A raised panel with its caption centred; it can hold child windows, which
// are placed in it by its handle.
class TPanel : public QFrame, public TWinControl {
public:
    explicit TPanel(TWinControl* parent);
    std::string ClassName() const override { return "TPanel"; }

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string caption_;
};
