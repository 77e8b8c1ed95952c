#pragma once
// The skin data component a form carries to get skinned windows. It holds the
// skin file (streamed with the form as SkinStream, or read from SkinFile),
// turns it into the data objects every painter reads, publishes the options
// that decide what is skinned, and tells the process-wide skin manager when
// to skin, unskin or refresh the windows.
//
// Like a component read from a form file it is in its streaming phase from
// construction until Loaded(): property changes are only stored then, and
// Loaded() starts it.

#include "skin/data/MemoryStream.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/SkinProperties.h"
#include "ui/Bitmap.h"
#include "ui/Component.h"
#include "ui/Gdi.h"
#include "ui/png/PngImageList.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ui {
class Control;
class HintWindow;
} // namespace ui

namespace skin {

class TSkinReader;

class TSkinData : public ui::Component, public SkinObjectSet {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    static constexpr int32_t kDefaultDisableTag = 99;
    static constexpr const char* kVersion = "5.40.07.15";
    // Delay of the commands posted to the manager.
    static constexpr int kCommandDelayMs = 250;

    explicit TSkinData(ui::Component* owner);
    ~TSkinData() override;

    // Published properties.
    bool Active() const { return active_; }
    void SetActive(bool value);
    int32_t DisableTag = kDefaultDisableTag;
    TSkinControlTypes SkinControls = kDefaultSkinControls;
    TSkinOptions Options = kDefaultOptions;
    const std::vector<std::string>& Skin3rd() const { return skin3rd_; }
    void SetSkin3rd(std::vector<std::string> lines) { skin3rd_ = std::move(lines); }
    const std::wstring& SkinFile() const { return skinFile_; }
    void SetSkinFile(const std::wstring& value);
    // "(none)": "(Good)" is shown only by a form designer, which we have not.
    std::string SkinStore() const { return "(none)"; }
    TSkinFormType SkinFormtype = TSkinFormType::sfMainform;
    std::string Version() const { return kVersion; }
    bool MenuUpdate = true;
    bool MenuMerge = false;

    // Events.
    std::function<void(TSkinData& sender, const std::wstring& className, bool& doSkin)> OnFormSkin;
    std::function<void(TSkinData& sender)> OnSkinChanged;
    std::function<void(ui::Component& sender, TSkinData& skinData, ui::Control* form, ui::Control* control,
                       const std::string& controlClass, ui::Component*& skinnedControl)>
        OnSkinControl;
    std::function<void(TSkinData& sender, HWND window, const std::wstring& className)> OnBeforeSkinForm;
    std::function<void(TSkinData& sender, HWND window, const std::wstring& className)> OnAfterSkinForm;

    // SkinStream: a 32-bit little-endian byte count N, then N bytes of skin
    // file (N = 0: no skin). Reading a non-empty one loads it at once; a
    // count larger than the bytes that follow is refused (false) and leaves
    // no skin held.
    bool ReadSkinStream(MemoryStream& stream);
    void WriteSkinStream(MemoryStream& stream) const;
    // The skin file bytes held.
    const MemoryStream& SkinFileBytes() const { return skinStream_; }
    // Reads SkinStream from a skin file stored as an RCDATA resource; false
    // when the module lacks it.
    bool ReadSkinStreamFromResource(HMODULE module, const wchar_t* name);

    // End of streaming: starts the component (manager, caption font, hook,
    // first skin command, application icon bitmap).
    void Loaded();
    bool Streaming() const { return streaming_; }

    // Turns the skin file held into data objects. False when the package is
    // not recognised or the skin is damaged beyond reading; the previous data
    // objects are kept then and the not-loaded flag stays set.
    bool LoadSkin();
    // After a new skin file: the forms skinned by this component reload their
    // frame data, and a running manager refreshes them.
    void ApplySkin();
    // No skin description has been read completely since the last load began.
    bool NotLoaded() const { return notLoaded_; }

    // The manager's question for each new top-level window.
    void CanSkinWindow(HWND window, const std::wstring& className, bool& doSkin);
    HWND WindowBeingDecided() const { return windowBeingDecided_; }

    // Fills bitmap from the package entry a key value names; only during a
    // load (at other times, and for anything unusable, it empties the bitmap).
    void LoadSkinBitmap(ui::Bitmap& bitmap, const std::string& value) const;
    // Pixels one load may decode in all. Each bitmap key decodes its entry
    // anew, so a damaged description naming a large picture in thousands of
    // sections would otherwise allocate without bound; a bitmap that would
    // pass the budget stays empty, like a missing one.
    static constexpr int64_t kMaxPixelsPerLoad = int64_t(16) * 1024 * 1024;

    // The caption buttons' hint (Options must contain xoCaptionButtonHint).
    void ShowCaptionHint(const RECT& rect, const std::wstring& text);
    void HideCaptionHint();
    bool HintShowing() const { return hintShowing_; }
    // Milliseconds the caption buttons count while the mouse rests.
    uint32_t hintTime = 0;
    // Cleared by the form painter around the handling of one message.
    bool framePaint = true;

    // Shows the reader's messages (an unknown package version); a modal box
    // by default.
    std::function<void(const std::string& text)> showMessage;

    // Called by the manager after it carried out a command for this component.
    void DoSkinChanged();

    // The application's small icon on a key-colour background (main form kind).
    const ui::Bitmap& AppIconBitmap() const { return appIcon_; }
    // A form painter fills it from its window's icon when the load left it empty.
    ui::Bitmap& AppIconBitmap() { return appIcon_; }
    // Restore, maximize, minimize and close glyphs, 16 x 16, white masked.
    HIMAGELIST MenuGlyphs() const { return menuGlyphs_.get(); }
    // The system caption font, made by Loaded.
    HFONT CaptionFont() const { return captionFont_.get(); }
    SIZE WorkAreaSize() const { return workArea_; }

private:
    void BuildCaptionFont();
    void BuildAppIconBitmap();

    // Only while a skin loads: the package and the pixels still allowed.
    struct LoadContext {
        const TSkinReader& reader;
        int64_t pixelsLeft;
    };
    LoadContext* load_ = nullptr;

    MemoryStream skinStream_;
    bool notLoaded_ = true;
    bool streaming_ = true;
    bool active_ = false;
    std::vector<std::string> skin3rd_;
    std::wstring skinFile_;
    ui::HintWindow* hint_ = nullptr;  // owned as a component
    bool hintShowing_ = false;
    HWND windowBeingDecided_ = nullptr;
    ui::Bitmap appIcon_;
    ui::UniqueImageList menuGlyphs_;
    SIZE workArea_{};
    ui::UniqueFont captionFont_;
};

} // namespace skin
