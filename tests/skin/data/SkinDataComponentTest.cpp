// The skin data component: published properties, the SkinStream form, the
// calls it makes to the skin manager, and its window-facing helpers.

#include "skin/data/SkinData.h"

#include <gtest/gtest.h>

#include "skin/data/SkinResources.h"
#include "tests/skin/data/SkinDataFixtures.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/HintWindow.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using skin::TSkinData;
using skin::TSkinFormType;
using skintest::Bytes;
using skintest::ManagerScope;
using skintest::SkinUnderTest;
using Log = std::vector<std::string>;

const Bytes kSkinFile =
    skintest::SkinFile("[Headerbar]\nImage=p.bmp\n", {{"p.bmp", skintest::SolidBmp(8, 8, {1, 2, 3})}});

// A package of a version the reader does not know.
const Bytes kOldSkinFile = [] {
    skinpack::RawPackage raw;
    raw.Version = 10000;
    raw.NameText = "skin.ini\r\n";
    raw.Sizes = {0};
    return skinpack::MakeSkinFile(skinpack::BuildRawPackage(raw));
}();

TEST(SkinDataProperties, PublishedPropertiesStartAtTheirDefaults) {
    TSkinData data(nullptr);
    const struct {
        const char* name;
        const char* text;
    } defaults[] = {
        {"Active", "False"},
        {"DisableTag", "99"},
        {"SkinControls",
         "[xcMainMenu,xcPopupMenu,xcToolbar,xcControlbar,xcCombo,xcCheckBox,xcRadioButton,xcProgress,xcScrollbar,"
         "xcEdit,xcButton,xcBitBtn,xcSpeedButton,xcSpin,xcPanel,xcGroupBox,xcStatusBar,xcTab,xcTrackBar,"
         "xcSystemMenu]"},
        {"Options", "[xoPreview,xoToolbarBK,xoCaptionButtonHint]"},
        {"SkinFile", ""},
        {"SkinStore", "(none)"},
        {"SkinFormtype", "sfMainform"},
        {"Version", "5.40.07.15"},
        {"MenuUpdate", "True"},
        {"MenuMerge", "False"},
    };
    for (const auto& d : defaults) {
        SCOPED_TRACE(d.name);
        EXPECT_EQ(data.GetPropertyText(d.name), d.text);
    }
    EXPECT_EQ(data.SkinControls.Bits(), 0x1FFFFBu);
    EXPECT_EQ(data.Options.Bits(), 0x0448u);
    EXPECT_EQ(data.ClassName(), "TSkinData");
    EXPECT_TRUE(data.InheritsFrom("TComponent"));
}

TEST(SkinDataProperties, Skin3rdHoldsTheDefaultMappingInOrder) {
    TSkinData data(nullptr);
    const auto& lines = data.Skin3rd();
    ASSERT_EQ(lines.size(), 118u);
    EXPECT_EQ(lines.front(), "TCategoryButtons=scrollbar");
    EXPECT_EQ(lines[5], "TTBXDockablePanel=Panel");
    EXPECT_EQ(lines[48], "TDBCheckboxEh=Checkbox");
    EXPECT_EQ(lines[49], "TDBCheckboxEh=Checkbox");  // duplicates are kept
    EXPECT_EQ(lines[99], "TWWDBCombobox=Combobox");
    EXPECT_EQ(lines.back(), "TOVCDBNUMERICFIELD=Edit");

    ASSERT_TRUE(data.SetPropertyText("Skin3rd", "TMine=button\r\nTOther=panel\nTLast=edit"));
    EXPECT_EQ(data.Skin3rd(), (std::vector<std::string>{"TMine=button", "TOther=panel", "TLast=edit"}));
    EXPECT_EQ(data.GetPropertyText("Skin3rd"), "TMine=button\r\nTOther=panel\r\nTLast=edit\r\n");
}

TEST(SkinDataProperties, SetAndEnumerationTexts) {
    TSkinData data(nullptr);
    data.SetPropertyText("Options", "[ xoMenuBG , xoMDIScrollbar ]");
    EXPECT_EQ(data.Options.Bits(), (1u << skin::xoMenuBG) | (1u << skin::xoMDIScrollbar));
    EXPECT_EQ(data.GetPropertyText("Options"), "[xoMDIScrollbar,xoMenuBG]");
    data.SetPropertyText("SkinControls", "[]");
    EXPECT_EQ(data.SkinControls.Bits(), 0u);
    data.SetPropertyText("SkinControls", "[xcFastReport]");
    EXPECT_TRUE(data.SkinControls.Contains(skin::xcFastReport));
    data.SetPropertyText("SkinFormtype", "sfDLL");
    EXPECT_EQ(data.SkinFormtype, TSkinFormType::sfDLL);
    data.SetPropertyText("DisableTag", "7");
    EXPECT_EQ(data.DisableTag, 7);

    for (const auto& [property, text] : std::vector<std::pair<const char*, const char*>>{
             {"Options", "[xoNothing]"}, {"Options", "xoMenuBG"}, {"Options", "[xoMenuBG,]"},
             {"SkinControls", "[xcMainMenu"}, {"SkinFormtype", "sfWhatever"}, {"Active", "yes"}}) {
        SCOPED_TRACE(std::string(property) + " " + text);
        EXPECT_THROW(data.SetPropertyText(property, text), ui::PropertyError);
    }
    // Display-only properties ignore writes.
    data.SetPropertyText("Version", "1.0");
    data.SetPropertyText("SkinStore", "(Good)");
    EXPECT_EQ(data.GetPropertyText("Version"), "5.40.07.15");
    EXPECT_EQ(data.GetPropertyText("SkinStore"), "(none)");
}

TEST(SkinDataStream, WritesTheCountAndTheSkinFileItRead) {
    SkinUnderTest skin;
    skin::MemoryStream empty;
    skin->WriteSkinStream(empty);
    EXPECT_EQ(Bytes(empty.Bytes().begin(), empty.Bytes().end()), (Bytes{0, 0, 0, 0}));

    ASSERT_TRUE(skin.Load(kSkinFile));
    EXPECT_FALSE(skin->NotLoaded());
    EXPECT_NE(skin->Headerbar, nullptr);
    skin::MemoryStream written;
    skin->WriteSkinStream(written);
    const skin::MemoryStream expected = skintest::SkinStreamOf(kSkinFile);
    EXPECT_EQ(Bytes(written.Bytes().begin(), written.Bytes().end()),
              Bytes(expected.Bytes().begin(), expected.Bytes().end()));

    // Streamed back into another component it loads the same skin.
    SkinUnderTest copy;
    written.SetPosition(0);
    EXPECT_TRUE(copy->ReadSkinStream(written));
    EXPECT_NE(copy->Headerbar, nullptr);
    EXPECT_EQ(written.Remaining(), 0u);
}

TEST(SkinDataStream, ACountBeyondTheBytesIsRefused) {
    SkinUnderTest skin;
    skin::MemoryStream stream = skintest::SkinStreamOf(kSkinFile);
    stream.SetSize(stream.Size() - 1);
    EXPECT_FALSE(skin->ReadSkinStream(stream));
    EXPECT_TRUE(skin->NotLoaded());
    EXPECT_EQ(skin->SkinFileBytes().Size(), 0u);

    skin::MemoryStream three(std::string_view("\1\0\0", 3));
    EXPECT_FALSE(skin->ReadSkinStream(three));

    skin::MemoryStream zero(std::string_view("\0\0\0\0", 4));
    EXPECT_TRUE(skin->ReadSkinStream(zero));  // no skin held, nothing to load
    EXPECT_TRUE(skin->NotLoaded());
}

// A skin data component as the login window has it: properties set while
// streaming, then Loaded.
struct LoadedCase {
    const char* name;
    TSkinFormType type;
    bool active;
    const Bytes* skin;  // none: no skin streamed
    bool ownedByForm;
    Log calls;
    bool activeAfter;
};

TEST(SkinDataManager, LoadedStartsTheManagerAsTheFormTypeSays) {
    const LoadedCase cases[] = {
        {"main form with a skin", TSkinFormType::sfMainform, true, &kSkinFile, false,
         {"RegisterSkinData", "InstallHook", "PostCommand 1 250"}, true},
        {"main form without a skin", TSkinFormType::sfMainform, true, nullptr, false,
         {"RegisterSkinData", "InstallHook"}, false},
        {"main form with a skin of an unknown version", TSkinFormType::sfMainform, true, &kOldSkinFile, false,
         {"RegisterSkinData", "InstallHook"}, false},
        {"main form inactive", TSkinFormType::sfMainform, false, &kSkinFile, false,
         {"RegisterSkinData", "InstallHook"}, false},
        {"this form only, on a form", TSkinFormType::sfOnlyThisForm, true, &kSkinFile, true,
         {"RegisterSkinData", "SwitchOn", "SetStartCount 1", "SkinForm"}, true},
        {"dialog, no form", TSkinFormType::sfDialog, true, &kSkinFile, false,
         {"RegisterSkinData", "SwitchOn", "SetStartCount 1"}, true},
        {"DLL, inactive on a form", TSkinFormType::sfDLL, false, &kSkinFile, true,
         {"RegisterSkinData", "SwitchOn", "SetStartCount 1"}, false},
    };
    for (const LoadedCase& c : cases) {
        SCOPED_TRACE(c.name);
        ManagerScope manager;
        ui::Form* form = c.ownedByForm ? new ui::Form(nullptr) : nullptr;
        {
            TSkinData data(form);
            data.showMessage = [](const std::string&) {};
            data.SkinFormtype = c.type;
            data.SetActive(c.active);  // while streaming: only stored
            if (c.skin != nullptr) {
                skin::MemoryStream stream = skintest::SkinStreamOf(*c.skin);
                EXPECT_EQ(data.ReadSkinStream(stream), c.skin == &kSkinFile);
            }
            EXPECT_TRUE(manager.log.empty());
            data.Loaded();
            EXPECT_EQ(manager.log, c.calls);
            EXPECT_EQ(data.Active(), c.activeAfter);
            EXPECT_FALSE(data.Streaming());
        }
        EXPECT_EQ(manager.log.back(), "UnregisterSkinData");
        delete form;
    }
}

TEST(SkinDataManager, LoadedDropsTheMenuKindTheMainFormDoesNotUse) {
    ManagerScope manager;
    TSkinData withMenu(nullptr);
    withMenu.Loaded();
    EXPECT_FALSE(withMenu.SkinControls.Contains(skin::xcMenuItem));
    EXPECT_TRUE(withMenu.SkinControls.Contains(skin::xcSystemMenu));

    TSkinData withoutMenu(nullptr);
    withoutMenu.SkinControls = skin::TSkinControlTypes{skin::xcMenuItem, skin::xcSystemMenu};
    withoutMenu.Loaded();
    EXPECT_TRUE(withoutMenu.SkinControls.Contains(skin::xcMenuItem));
    EXPECT_FALSE(withoutMenu.SkinControls.Contains(skin::xcSystemMenu));
}

struct SetActiveCase {
    const char* name;
    TSkinFormType type;
    bool skin;
    Log on;
    Log off;
};

TEST(SkinDataManager, SetActivePostsSkinAndUnskinCommands) {
    const SetActiveCase cases[] = {
        {"main form", TSkinFormType::sfMainform, true,
         {"SetCurrentSkinData", "PostCommand 1 250", "SetStartCount 1"},
         {"SetCurrentSkinData", "PostCommand 2 250"}},
        {"main form without a skin", TSkinFormType::sfMainform, false, {}, {"SetCurrentSkinData", "PostCommand 2 250"}},
        {"this form only", TSkinFormType::sfOnlyThisForm, true, {"SetCurrentSkinData", "PostCommand 1 250"},
         {"SetCurrentSkinData", "PostCommand 2 250"}},
        {"this form only without a skin", TSkinFormType::sfOnlyThisForm, false, {"SetCurrentSkinData"},
         {"SetCurrentSkinData", "PostCommand 2 250"}},
        {"dialog", TSkinFormType::sfDialog, true, {}, {}},
        {"DLL", TSkinFormType::sfDLL, true, {}, {}},
    };
    for (const SetActiveCase& c : cases) {
        SCOPED_TRACE(c.name);
        ManagerScope manager;
        SkinUnderTest skin;
        skin->SkinFormtype = c.type;
        if (c.skin) {
            ASSERT_TRUE(skin.Load(kSkinFile));
        }
        skin->Loaded();
        manager.log.clear();
        skin->SetActive(true);
        EXPECT_EQ(manager.log, c.on);
        EXPECT_TRUE(skin->Active());
        manager.log.clear();
        skin->SetActive(true);  // unchanged: nothing
        EXPECT_TRUE(manager.log.empty());
        skin->SetActive(false);
        EXPECT_EQ(manager.log, c.off);
    }
}

class SkinFileOnDisk {
public:
    explicit SkinFileOnDisk(const Bytes& bytes)
        : path_(std::filesystem::temp_directory_path() / ("skindata-test-" + std::to_string(GetCurrentProcessId()) + ".skn")) {
        std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    ~SkinFileOnDisk() { std::filesystem::remove(path_); }
    std::wstring Path() const { return path_.wstring(); }

private:
    std::filesystem::path path_;
};

TEST(SkinDataManager, SetSkinFileLoadsItAndRefreshesARunningManager) {
    const SkinFileOnDisk file(kSkinFile);
    for (int startCount : {1, 0, 2}) {
        SCOPED_TRACE(startCount);
        ManagerScope manager;
        SkinUnderTest skin;
        skin->Loaded();
        manager.recorder->startCount = startCount;
        manager.log.clear();
        skin->SetSkinFile(file.Path());
        EXPECT_FALSE(skin->NotLoaded());
        EXPECT_NE(skin->Headerbar, nullptr);
        EXPECT_EQ(skin->GetPropertyText("SkinFile"), ui::WideToUtf8(file.Path()));
        Log expected = {"SetCurrentSkinData", "ReloadFrameData"};
        if (startCount == 1) {
            expected.push_back("PostCommand 3 250");
        }
        EXPECT_EQ(manager.log, expected);
    }
}

TEST(SkinDataManager, AMissingSkinFileLoadsNothing) {
    ManagerScope manager;
    SkinUnderTest skin;
    ASSERT_TRUE(skin.Load(kSkinFile));
    skin->Loaded();
    manager.log.clear();
    skin->SetSkinFile(L"C:\\no such folder\\none.skn");
    EXPECT_TRUE(skin->NotLoaded());
    EXPECT_TRUE(manager.log.empty());
    EXPECT_NE(skin->Headerbar, nullptr);  // the objects of the last skin stay
}

// Applying a skin when no manager exists yet starts the component first.
TEST(SkinDataManager, ApplySkinWithoutAManagerRunsLoadedFirst) {
    const SkinFileOnDisk file(kSkinFile);
    skin::DestroySkinManager();
    SkinUnderTest skin;
    skin->Loaded();  // no manager can be made yet
    EXPECT_EQ(skin::SkinManager(), nullptr);
    ManagerScope manager;
    skin->SetSkinFile(file.Path());
    EXPECT_EQ(manager.log, (Log{"RegisterSkinData", "InstallHook", "SetCurrentSkinData", "ReloadFrameData"}));
}

TEST(SkinDataWindows, CanSkinWindowTurnsDownCalendarsAndReportWindows) {
    const struct {
        const wchar_t* className;
        bool fastReport;
        bool before;
        bool after;
    } cases[] = {
        {L"SysMonthCal32", false, true, false},
        {L"TfrPreviewForm", true, true, false},
        {L"TfrPreviewForm", false, true, true},
        {L"TForm1", true, true, true},
        {L"TForm1", false, false, false},  // the caller's answer stands
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ui::WideToUtf8(c.className));
        TSkinData data(nullptr);
        if (c.fastReport) {
            data.SkinControls.Include(skin::xcFastReport);
        }
        bool doSkin = c.before;
        data.CanSkinWindow(reinterpret_cast<HWND>(0x1234), c.className, doSkin);
        EXPECT_EQ(doSkin, c.after);
        EXPECT_EQ(data.WindowBeingDecided(), reinterpret_cast<HWND>(0x1234));
    }
    // A handler decides alone.
    TSkinData data(nullptr);
    std::wstring asked;
    data.OnFormSkin = [&asked](TSkinData&, const std::wstring& name, bool& doSkin) {
        asked = name;
        doSkin = true;
    };
    bool doSkin = false;
    data.CanSkinWindow(nullptr, L"SysMonthCal32", doSkin);
    EXPECT_TRUE(doSkin);
    EXPECT_EQ(asked, L"SysMonthCal32");
}

ui::HintWindow* HintOf(const TSkinData& data) {
    for (ui::Component* c : data.Components()) {
        if (auto* hint = dynamic_cast<ui::HintWindow*>(c)) {
            return hint;
        }
    }
    return nullptr;
}

TEST(SkinDataWindows, CaptionHintShowsOnceAndHides) {
    TSkinData data(nullptr);
    ui::HintWindow* hint = HintOf(data);
    ASSERT_NE(hint, nullptr);
    data.ShowCaptionHint(RECT{100, 200, 120, 220}, L"最小化");
    ASSERT_TRUE(data.HintShowing());
    ASSERT_TRUE(hint->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(hint->HandleIfAllocated()));
    RECT shown{};
    GetWindowRect(hint->HandleIfAllocated(), &shown);
    EXPECT_EQ(shown.left, 100);
    EXPECT_EQ(shown.top, 200);
    EXPECT_GT(shown.right - shown.left, 10);
    EXPECT_EQ(hint->Caption(), L"最小化");

    data.ShowCaptionHint(RECT{300, 300, 320, 320}, L"关闭");  // one is showing: nothing
    EXPECT_EQ(hint->Caption(), L"最小化");

    data.HideCaptionHint();
    EXPECT_FALSE(data.HintShowing());
    EXPECT_FALSE(IsWindowVisible(hint->HandleIfAllocated()));

    data.Options.Exclude(skin::xoCaptionButtonHint);
    data.ShowCaptionHint(RECT{100, 200, 120, 220}, L"关闭");
    EXPECT_FALSE(data.HintShowing());
    EXPECT_FALSE(IsWindowVisible(hint->HandleIfAllocated()));
}

TEST(SkinDataWindows, CaptionFontIsTheSystemCaptionFont) {
    ManagerScope manager;
    TSkinData data(nullptr);
    EXPECT_EQ(data.CaptionFont(), nullptr);  // made by Loaded
    data.Loaded();
    ASSERT_NE(data.CaptionFont(), nullptr);
    LOGFONTW made{};
    ASSERT_NE(GetObjectW(data.CaptionFont(), sizeof made, &made), 0);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_EQ(std::wstring(made.lfFaceName), std::wstring(metrics.lfCaptionFont.lfFaceName));
    EXPECT_EQ(made.lfHeight, metrics.lfCaptionFont.lfHeight);
    EXPECT_EQ(data.WorkAreaSize().cx, GetSystemMetrics(SM_CXMAXIMIZED));
}

TEST(SkinDataWindows, MenuGlyphsAreFourMaskedGlyphs) {
    TSkinData data(nullptr);
    ASSERT_NE(data.MenuGlyphs(), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(data.MenuGlyphs()), 4);
    int width = 0, height = 0;
    ImageList_GetIconSize(data.MenuGlyphs(), &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    // Drawn over green, the white mask lets the background through and the
    // glyph is black.
    ui::Bitmap target(16, 16);
    const struct {
        int glyph;
        POINT ink;
    } cases[] = {{skin::mgRestore, {3, 12}}, {skin::mgMaximize, {3, 12}}, {skin::mgMinimize, {6, 12}},
                 {skin::mgClose, {8, 8}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.glyph);
        target.Fill(ui::clGreen);
        ImageList_Draw(data.MenuGlyphs(), c.glyph, target.GetCanvas().Handle(), 0, 0, ILD_NORMAL);
        EXPECT_EQ(target.PixelAt(c.ink.x, c.ink.y), ui::clBlack);
        EXPECT_EQ(target.PixelAt(0, 0), ui::clGreen);
    }
}

// A red 32 x 32 icon the application shows.
ui::UniqueIcon RedIcon() {
    ui::Bitmap colour(32, 32);
    colour.Fill(ui::clRed);
    ui::Bitmap mask(32, 32);
    mask.Fill(ui::clBlack);  // all opaque
    ICONINFO info{TRUE, 0, 0, mask.Handle(), colour.Handle()};
    return ui::UniqueIcon(CreateIconIndirect(&info));
}

TEST(SkinDataWindows, AppIconBitmapHoldsTheApplicationsSmallIcon) {
    ManagerScope manager;
    const int size = GetSystemMetrics(SM_CXSMICON);
    {
        TSkinData data(nullptr);
        data.Loaded();
        const ui::Bitmap& icon = data.AppIconBitmap();
        ASSERT_EQ(icon.Width(), size);
        EXPECT_EQ(icon.Height(), GetSystemMetrics(SM_CYSMICON));
        EXPECT_TRUE(icon.transparent);
        EXPECT_EQ(icon.transparentColor, ui::clFuchsia);
        EXPECT_EQ(icon.PixelAt(size / 2, size / 2), ui::clFuchsia);  // no icon: only the key colour
    }
    const ui::UniqueIcon red = RedIcon();
    ASSERT_TRUE(red);
    ui::App().SetIcon(red.get());
    TSkinData data(nullptr);
    data.Loaded();
    EXPECT_EQ(data.AppIconBitmap().PixelAt(size / 2, size / 2), ui::clRed);
    ui::App().SetIcon(nullptr);
}

} // namespace

namespace {

std::vector<HGDIOBJ> BitmapHandlesOf(const TSkinData& data) {
    std::vector<HGDIOBJ> handles;
    for (const skin::TDataSkinObject* object : data.AllObjects()) {
        if (object->Bitmap.Handle() != nullptr) {
            handles.push_back(object->Bitmap.Handle());
        }
    }
    return handles;
}

// A reload builds the new objects before it lets the old ones go, so no
// handle value of the old set can have been handed out again when this looks.
TEST(SkinDataLifetime, ReloadingFreesThePreviousSkinsObjects) {
    SkinUnderTest skin;
    ASSERT_TRUE(skin.Load(kSkinFile));
    std::vector<HGDIOBJ> old = BitmapHandlesOf(*skin.data);
    old.push_back(skin->ButtonFaceBrush.get());
    ASSERT_GT(old.size(), 3u);
    ASSERT_TRUE(skin->LoadSkin());
    for (HGDIOBJ h : old) {
        EXPECT_EQ(GetObjectType(h), 0u);
    }
}

TEST(SkinDataLifetime, DestroyingFreesEveryGdiObject) {
    ManagerScope manager;
    std::vector<HGDIOBJ> handles;
    {
        SkinUnderTest skin;
        ASSERT_TRUE(skin.Load(kSkinFile));
        skin->Loaded();
        skin->ShowCaptionHint(RECT{10, 10, 20, 20}, L"关闭");
        handles = BitmapHandlesOf(*skin.data);
        handles.push_back(skin->ButtonFaceBrush.get());
        handles.push_back(skin->CaptionFont());
        handles.push_back(skin->AppIconBitmap().Handle());
        for (HGDIOBJ h : handles) {
            ASSERT_NE(GetObjectType(h), 0u);
        }
    }
    for (HGDIOBJ h : handles) {
        EXPECT_EQ(GetObjectType(h), 0u);
    }
}

} // namespace
