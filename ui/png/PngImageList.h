#pragma once
// A list of equally sized images with alpha, loaded from PNG files, drawn
// blended over whatever is already painted, and offered to native controls as
// a comctl32 image list.

#include "ui/Bitmap.h"
#include "ui/Component.h"
#include "ui/Gdi.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <span>

namespace ui {

struct ImageListTraits {
    static void Close(HIMAGELIST list) noexcept { ImageList_Destroy(list); }
};
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;

class PngImageList : public Component {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit PngImageList(Component* owner, int width = 16, int height = 16);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return count_; }

    // The index of the new image, or -1 when the bytes are not a PNG of exactly
    // Width() x Height() pixels.
    int AddPng(std::span<const uint8_t> bytes);
    // A PNG stored as a resource of the module; -1 when it is missing or bad.
    int AddPngResource(HMODULE module, const wchar_t* name, const wchar_t* type = L"PNG");
    void Clear();

    // Blends the image over the DC's pixels; a disabled image is grey and half
    // transparent. An index outside the list draws nothing.
    void Draw(HDC dc, int x, int y, int index, bool enabled = true) const;

    // The same images as a 32-bit image list (no mask) for native controls,
    // made on first use and remade after the list changes. Owned by this
    // object: valid until the next change or its destruction.
    HIMAGELIST Handle() const;
    // The same images each centred in a cell cellHeight rows high (at least
    // Height()), for a native control that puts an image at the top of a
    // taller room. One such list at a time, kept like Handle()'s.
    HIMAGELIST Handle(int cellHeight) const;

private:
    int width_;
    int height_;
    int count_ = 0;
    // The images side by side, 32 bits with premultiplied alpha as AlphaBlend
    // wants them, and their disabled look in the same layout.
    Bitmap strip_;
    Bitmap disabledStrip_;
    mutable UniqueImageList list_;
    mutable UniqueImageList tallList_;
    mutable int tallHeight_ = 0;
};

} // namespace ui
