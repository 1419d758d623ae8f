#pragma once

#include "Bitmap.h"
#include "Component.h"

#include <QImage>

#include <functional>
#include <string>

// The picture an image view shows. It keeps a copy of its own: a later
// change to the bitmap it was given does not reach it.
class TPicture : public TObject {
public:
    // `changed` runs after every Assign.
    explicit TPicture(std::function<void()> changed = {}) : changed_(std::move(changed)) {}
    std::string ClassName() const override { return "TPicture"; }

    // Takes a copy of the bitmap's pixels; an empty bitmap empties the picture.
    void Assign(const TBitmap& bitmap);

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    bool Empty() const { return image_.isNull(); }
    // The pixels, top row first; a null image when empty.
    const QImage& Image() const { return image_; }

private:
    QImage image_;
    std::function<void()> changed_;
};
