#include "ui/Image.h"

namespace ui {
namespace {

const PropertyInfo kImageProperties[] = {BoolFieldProperty<Image, &Image::transparent>("Transparent")};

} // namespace

const ClassInfo Image::kClass{"TImage", &GraphicControl::kClass, kImageProperties};

Image::Image(Component* owner) : GraphicControl(owner) {}

void Image::SetPicture(const Bitmap& picture) {
    picture_ = picture;
    Invalidate();
}

void Image::SetPicture(Bitmap&& picture) {
    picture_ = std::move(picture);
    Invalidate();
}

// Only the picture is drawn: where it does not reach, the parent shows.
void Image::Paint(Canvas& canvas) {
    if (!picture_.Empty()) {
        picture_.transparent = transparent;
        canvas.Draw(0, 0, picture_);
    }
}

} // namespace ui
