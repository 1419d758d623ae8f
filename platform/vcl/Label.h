#pragma once

#include "Control.h"

#include <QLabel>

#include <string>

// A line of text drawn at the top-left of its bounds, clipped to them.
class TLabel : public QLabel, public TGraphicControl {
public:
    explicit TLabel(TWinControl* parent);
    std::string ClassName() const override { return "TLabel"; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);
};
