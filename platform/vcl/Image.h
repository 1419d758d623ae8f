#pragma once

#include "Control.h"
#include "Picture.h"

#include <QWidget>

#include <string>

// An image view: draws its Picture from its top-left corner, unscaled and
// clipped to its bounds, on the window's background colour. Blank while the
// picture is empty.
class TImage : public QWidget, public TGraphicControl {
public:
    explicit TImage(TWinControl* parent);
    std::string ClassName() const override { return "TImage"; }

    // What the view shows; Picture->Assign(bitmap) shows a copy of the bitmap.
    TPicture* const Picture;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TPicture picture_;
};
