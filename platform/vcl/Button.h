#pragma once

#include "Control.h"

#include <QPushButton>

#include <string>

// A push button; OnClick runs when it is pressed.
class TButton : public QPushButton, public TWinControl {
public:
    explicit TButton(TWinControl* parent);
    std::string ClassName() const override { return "TButton"; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    // Presses the button as the user does.
    void Click();

    TNotifyEvent OnClick;
};
