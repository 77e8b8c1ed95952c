#pragma once
// A picture drawn by the parent at its natural size from the top-left corner.

#include "ui/Bitmap.h"
#include "ui/Control.h"

namespace ui {

class Image : public GraphicControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit Image(Component* owner);

    const Bitmap& Picture() const { return picture_; }
    void SetPicture(const Bitmap& picture);
    void SetPicture(Bitmap&& picture);
    bool transparent = false;

    void Paint(Canvas& canvas) override;

private:
    Bitmap picture_;
};

} // namespace ui
