#include "skin/data/SkinResources.h"

namespace skin {

bool LoadBuiltInBitmap(const wchar_t* name, ui::Bitmap& bitmap) {
    const ui::UniqueBitmap handle(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    bitmap.AssignFromHandle(handle.get(), ui::PixelFormat::Bit24);
    return !bitmap.Empty();
}

ui::UniqueImageList LoadMenuGlyphs() {
    return ui::UniqueImageList(ImageList_LoadImageW(GetModuleHandleW(nullptr), kMenuGlyphResource, 16, 0,
                                                    RGB(255, 255, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

} // namespace skin
