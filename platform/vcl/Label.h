#pragma once

#include "Control.h"

#include <QLabel>

#include <string>

// A line of text drawn at the top-left of its bounds. The label sizes
// itself to its text: it keeps its given place and size, and widens to the
// right when the text in its font would not fit.
class TLabel : public QLabel, public TGraphicControl {
public:
    explicit TLabel(TWinControl* parent);
    std::string ClassName() const override { return "TLabel"; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    void SetBounds(int left, int top, int width, int height) override;

    // The width the text needs in the label's font.
    int TextWidth() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void FitText();
    int givenWidth_ = 0;
};
