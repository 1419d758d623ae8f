#include "Picture.h"

#include "BitmapImage.h"

void TPicture::Assign(const TBitmap& bitmap) {
    image_ = ToQImage(bitmap);
    if (changed_) changed_();
}
