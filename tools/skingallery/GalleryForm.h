#pragma once
// The skin gallery's window: one skinned form holding one of every control
// kind the toolkit has, in every state a skin draws, laid out in titled
// sections, with a menu bar, a popup menu (right button) and a message box,
// so that a skin author sees a whole skin at once. The menus open skin files,
// return to the built-in skin and switch skinning off and on.
//
// Each section is built by one function; a new control kind gets a section
// of its own: a Build...Section function, called from BuildSections.

#include "skin/data/SkinData.h"
#include "tools/skingallery/GallerySection.h"
#include "tools/skingallery/GallerySkins.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/png/PngImageList.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gallery {

inline constexpr wchar_t kGalleryTitle[] = L"皮肤画廊";

class GalleryForm : public ui::Form {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    // startSkin: a skin file to start with instead of the built-in one; one
    // that cannot be read is reported by ReportStartProblem.
    explicit GalleryForm(ui::Component* owner, const std::wstring& startSkin = {});
    ~GalleryForm() override;

    // The skin of the gallery; lives as long as the window.
    skin::TSkinData& SkinData1 = Create<skin::TSkinData>();

    GallerySkins& Skins() { return skins_; }
    const std::vector<std::unique_ptr<GallerySection>>& Sections() const { return sections_; }

    // What the menus do, also for tests and benchmarks.
    // Makes the file the gallery's skin, or shows why it cannot (the skin
    // stays as it was); answers whether it was applied.
    bool OpenSkinFile(const std::wstring& path);
    // The system's open-file dialog for *.skn files, then OpenSkinFile.
    void ChooseSkinFile();
    void UseDefaultSkin();
    void SetSkinEnabled(bool enabled);
    // The sample message box of the 消息框 button.
    void ShowSampleMessage();
    // Shows the message about a start skin that could not be read, if any.
    void ReportStartProblem();

    // The menu items whose state follows the skin.
    ui::MenuItem& SkinEnabledItem() const { return *skinEnabledItem_; }
    ui::MenuItem& PopupSkinEnabledItem() const { return *popupSkinEnabledItem_; }
    ui::PopupMenu& ContextMenu() const { return *contextMenu_; }
    ui::MainMenu& MenuBar() const { return *menuBar_; }

protected:
    void WndProc(ui::Message& message) override;

private:
    void LoadSkinData(const std::wstring& startSkin);
    void LoadGlyphs();
    void BuildMenuBar();
    void BuildContextMenu();
    void BuildSections();
    GallerySection& AddSection(const std::wstring& title);

    // The sections, in the order they are built.
    void BuildButtonSection();
    void BuildSpeedButtonSection();
    void BuildCheckBoxSection();
    void BuildRadioButtonSection();
    void BuildGroupBoxSection();
    void BuildEditSection();
    void BuildToolBarSection();
    void BuildPanelSection();
    void BuildLabelSection();
    // The common controls' sections (GalleryCommonControlSections.cpp).
    void BuildRadioGroupSection();
    void BuildListSection();
    void BuildSpinSection();
    void BuildScrollSection();
    void BuildTabSection();
    void BuildBarSection();

    ui::MenuItem& AddItem(ui::MenuItem& parent, const std::wstring& caption);
    void ShowSkinError(const std::wstring& path, const std::wstring& reason);
    void SkinStateChanged();
    // A 16 x 16 button glyph of icon number index on the key colour.
    ui::Bitmap Glyph(int index) const;

    GallerySkins skins_;
    std::optional<std::wstring> startProblem_;
    std::wstring startSkinPath_;
    ui::PngImageList& icons_ = Create<ui::PngImageList>();
    ui::MainMenu* menuBar_ = nullptr;
    ui::PopupMenu* contextMenu_ = nullptr;
    ui::PopupMenu* dropDownMenu_ = nullptr;
    ui::MenuItem* skinEnabledItem_ = nullptr;
    ui::MenuItem* popupSkinEnabledItem_ = nullptr;
    std::vector<std::unique_ptr<GallerySection>> sections_;
};

} // namespace gallery
