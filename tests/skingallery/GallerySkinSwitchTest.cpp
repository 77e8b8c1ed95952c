// Live skin changes in the gallery, read back from the screen: a second skin
// repaints the controls in its colours, skinning off gives the native look,
// a skin file that cannot be read is reported and changes nothing, and many
// changes leave no handles behind.

#include "tests/skingallery/GalleryFixture.h"
#include "tests/support/GdiObjects.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

using gallerytest::GalleryFixture;
using gallerytest::kAmberSkin;
using gallerytest::kTealSkin;
using gallerytest::Rgbref;
using gallerytest::SkinColours;
using testsupport::PumpUntil;

// What a probe point shows.
enum class Part {
    Button,
    CheckMark,
    RadioMark,
    EditBorder,
    PanelFace,
    Frame,
    StatusFace,
    SelectedTab,
    ProgressFace,
    HeaderItem,
    ScrollArrow,
};

struct Probe {
    const char* control;  // none: the section panel (PanelFace) or the form (Frame)
    Part part;
};

constexpr Probe kProbes[] = {
    {"ButtonNormal", Part::Button},      {"BitBtnCancel", Part::Button},   {"CheckUnchecked", Part::CheckMark},
    {"RadioUnchecked", Part::RadioMark}, {"EditNormal", Part::EditBorder}, {"EditReadOnly", Part::EditBorder},
    {nullptr, Part::PanelFace},          {nullptr, Part::Frame},           {"StatusBar1", Part::StatusFace},
    {"TabTop", Part::SelectedTab},       {"TabLeft", Part::SelectedTab},   {"PageControl1", Part::SelectedTab},
    {"TabSet1", Part::SelectedTab},      {"ProgressHorizontal", Part::ProgressFace},
    {"ProgressVertical", Part::ProgressFace},
    {"HeaderControl1", Part::HeaderItem}, {"ScrollBarHorizontal", Part::ScrollArrow},
    {"ScrollBarVertical", Part::ScrollArrow},
};

struct SkinSwitchTest : GalleryFixture {
    HWND WindowOf(const Probe& probe) const {
        if (probe.control != nullptr) {
            return Control(probe.control).Handle();
        }
        return probe.part == Part::Frame ? form->Handle() : form->Sections().front()->Panel().Handle();
    }

    // Inside the part: clear of captions, marks' centres, the middle of edges.
    static POINT PointOf(HWND window, Part part) {
        RECT rect{};
        GetWindowRect(window, &rect);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        switch (part) {
        case Part::Button: return {3, 3};
        case Part::CheckMark:
        case Part::RadioMark: return {6, height / 2};
        case Part::EditBorder: return {0, height / 2};
        case Part::PanelFace: return {width - 5, height / 2};
        case Part::Frame: return {1, height / 2};
        // The status bar's last panel, which has no text, left of the grip.
        case Part::StatusFace: return {width - 40, height / 2};
        // Just inside the selected tab's corner, clear of its label.
        case Part::SelectedTab: {
            RECT item{};
            SendMessageW(window, TCM_GETITEMRECT, WPARAM(SendMessageW(window, TCM_GETCURSEL, 0, 0)),
                         reinterpret_cast<LPARAM>(&item));
            return {item.left + 2, item.top + 3};
        }
        case Part::ProgressFace: return {width / 2, height / 2};
        case Part::HeaderItem: return {2, 3};
        // Inside the first arrow, away from the edge.
        case Part::ScrollArrow: return {3, 3};
        }
        return {};
    }

    COLORREF Read(const Probe& probe) const {
        const HWND window = WindowOf(probe);
        return gallerytest::ScreenPixel(window, PointOf(window, probe.part));
    }

    static COLORREF Skinned(const SkinColours& skin, Part part) {
        switch (part) {
        case Part::Button: return Rgbref(skin.button);
        case Part::CheckMark: return Rgbref(skin.check);
        case Part::RadioMark: return Rgbref(skin.radio);
        case Part::EditBorder: return Rgbref(skin.shadow);
        case Part::PanelFace:
        case Part::StatusFace: return Rgbref(skin.face);
        case Part::Frame: return Rgbref(skin.frame);
        case Part::SelectedTab:
        case Part::ProgressFace:
        case Part::HeaderItem:
        case Part::ScrollArrow: return Rgbref(skin.widget);
        }
        return 0;
    }

    // The system's own drawing of the part; the frame is the system's too,
    // known only not to be the skin's.
    static COLORREF Native(Part part) {
        switch (part) {
        case Part::Button:
        case Part::PanelFace:
        case Part::StatusFace: return GetSysColor(COLOR_BTNFACE);
        case Part::CheckMark:
        case Part::RadioMark: return GetSysColor(COLOR_WINDOW);
        case Part::EditBorder: return GetSysColor(COLOR_BTNSHADOW);
        // The system's bars and tabs: known only not to be the skin's.
        case Part::Frame:
        case Part::SelectedTab:
        case Part::ProgressFace:
        case Part::HeaderItem:
        case Part::ScrollArrow: break;
        }
        return CLR_INVALID;
    }

    // Waits until every probe shows what expected says (CLR_INVALID: not
    // the skin's colour); reports the ones that do not.
    ::testing::AssertionResult ShowsEventually(const std::function<COLORREF(Part)>& expected,
                                               const SkinColours& notSkin) {
        const auto matches = [&](const Probe& probe) {
            const COLORREF want = expected(probe.part);
            const COLORREF seen = Read(probe);
            return want == CLR_INVALID ? seen != Skinned(notSkin, probe.part) : seen == want;
        };
        PumpUntil(
            [&] {
                for (const Probe& probe : kProbes) {
                    if (!matches(probe)) {
                        return false;
                    }
                }
                return true;
            },
            15000);
        std::string wrong;
        for (const Probe& probe : kProbes) {
            if (!matches(probe)) {
                char line[160];
                std::snprintf(line, sizeof line, "%s part %d shows %06lX, wants %06lX; ",
                              probe.control != nullptr ? probe.control : "(section/form)", int(probe.part),
                              Read(probe), expected(probe.part));
                wrong += line;
            }
        }
        if (wrong.empty()) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << wrong;
    }
    ::testing::AssertionResult ShowsSkin(const SkinColours& skin) {
        return ShowsEventually([&](Part part) { return Skinned(skin, part); }, skin);
    }

    std::wstring SkinFile(const std::wstring& name, const SkinColours& colours) {
        return folder.Write(name, gallerytest::SolidSkinFile(colours));
    }
};

TEST_F(SkinSwitchTest, ASecondSkinRepaintsTheControlsInItsColours) {
    ASSERT_TRUE(skinned);
    const std::wstring teal = SkinFile(L"teal.skn", kTealSkin);
    bool applied = false;
    ASSERT_TRUE(SwitchAndWait([&] { applied = form->OpenSkinFile(teal); }));
    EXPECT_TRUE(applied);
    EXPECT_EQ(form->Caption(), L"皮肤画廊 - teal.skn");
    EXPECT_EQ(form->SkinData1.SkinFile(), teal);
    EXPECT_TRUE(ShowsSkin(kTealSkin));
    gallerytest::OfferScreenshot(form->Handle(), L"gallery-second-skin");

    // And a third, over the second: each change repaints.
    const std::wstring amber = SkinFile(L"amber.skn", kAmberSkin);
    ASSERT_TRUE(SwitchAndWait([&] { form->OpenSkinFile(amber); }));
    EXPECT_TRUE(ShowsSkin(kAmberSkin));

    // Back to the built-in skin: none of the solid colours stays.
    ASSERT_TRUE(SwitchAndWait([&] { form->UseDefaultSkin(); }));
    EXPECT_EQ(form->Caption(), L"皮肤画廊 - 默认皮肤");
    EXPECT_TRUE(ShowsEventually([](Part) { return CLR_INVALID; }, kAmberSkin));
    EXPECT_EQ(Query(Control("ButtonNormal")), 1);
}

TEST_F(SkinSwitchTest, SkinningOffShowsTheNativeLookAndOnShowsTheSkinAgain) {
    ASSERT_TRUE(skinned);
    ASSERT_TRUE(SwitchAndWait([&] { form->OpenSkinFile(SkinFile(L"teal.skn", kTealSkin)); }));
    ASSERT_TRUE(ShowsSkin(kTealSkin));

    ASSERT_TRUE(SwitchAndWait([this] { form->SetSkinEnabled(false); }));
    EXPECT_TRUE(ShowsEventually(Native, kTealSkin));
    EXPECT_EQ(Control("PanelRaised").GetColor(), ui::clBtnFace);
    gallerytest::OfferScreenshot(form->Handle(), L"gallery-skin-off");

    ASSERT_TRUE(SwitchAndWait([this] { form->SetSkinEnabled(true); }));
    EXPECT_TRUE(ShowsSkin(kTealSkin));
    EXPECT_EQ(form->Caption(), L"皮肤画廊 - teal.skn");
}

TEST_F(SkinSwitchTest, ASkinFileThatCannotBeReadIsReportedAndTheSkinStays) {
    ASSERT_TRUE(skinned);
    ASSERT_TRUE(SwitchAndWait([&] { form->OpenSkinFile(SkinFile(L"teal.skn", kTealSkin)); }));
    ASSERT_TRUE(ShowsSkin(kTealSkin));
    const std::wstring caption = form->Caption();
    const skintest::Bytes skinBytes(form->SkinData1.SkinFileBytes().Bytes().begin(),
                                    form->SkinData1.SkinFileBytes().Bytes().end());

    const skintest::Bytes good = gallerytest::SolidSkinFile(kAmberSkin);
    skinpack::RawPackage oldPackage;
    oldPackage.Version = 100;
    const struct {
        const wchar_t* name;
        skintest::Bytes bytes;
        bool write;
        const wchar_t* reason;  // none: any reason
    } cases[] = {
        {L"missing.skn", {}, false, L"文件不存在"},
        {L"empty.skn", {}, true, L"文件是空的"},
        {L"text.skn", skintest::Bytes{'n', 'o', 't', ' ', 'a', ' ', 's', 'k', 'i', 'n'}, true, L"文件已损坏"},
        {L"old.skn", skinpack::MakeSkinFile(skinpack::BuildRawPackage(oldPackage)), true, nullptr},
        // A cut skin file reads as far as it goes; one cut inside its first
        // block cannot be decompressed at all.
        {L"cut.skn", skintest::Bytes(good.begin(), good.begin() + 10), true, L"文件已损坏"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
        const std::wstring path = c.write ? folder.Write(c.name, c.bytes) : folder.PathOf(c.name);
        gallerytest::MessageBoxCloser closer;
        EXPECT_FALSE(form->OpenSkinFile(path));
        ASSERT_EQ(closer.boxes.size(), 1u);
        const auto& box = closer.boxes.front();
        EXPECT_EQ(box.caption, L"皮肤画廊");
        EXPECT_NE(box.text.find(L"无法读取皮肤文件"), std::wstring::npos);
        EXPECT_NE(box.text.find(path), std::wstring::npos);
        EXPECT_NE(box.text.find(L"当前的皮肤保持不变"), std::wstring::npos);
        if (c.reason != nullptr) {
            EXPECT_NE(box.text.find(c.reason), std::wstring::npos);
        }

        // Whatever a change would have posted has run by now.
        testsupport::PumpUntilLaterTimer(2 * skin::TSkinData::kCommandDelayMs);
        EXPECT_EQ(form->Caption(), caption);
        EXPECT_FALSE(form->SkinData1.NotLoaded());
        const auto held = form->SkinData1.SkinFileBytes().Bytes();
        EXPECT_TRUE(std::equal(held.begin(), held.end(), skinBytes.begin(), skinBytes.end()));
        EXPECT_TRUE(ShowsSkin(kTealSkin));
    }
}

TEST_F(SkinSwitchTest, TwoHundredSkinChangesLeaveGdiObjectsAndWindowsFlat) {
    ASSERT_TRUE(skinned);
    const std::wstring teal = SkinFile(L"teal.skn", kTealSkin);
    const std::wstring amber = SkinFile(L"amber.skn", kAmberSkin);
    const auto change = [&](int i) { return SwitchAndWait([&] { form->OpenSkinFile(i % 2 == 0 ? teal : amber); }); };
    // Caches that fill on first use (fonts, the menu glyphs) fill here.
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(change(i));
    }
    const int gdiBefore = testsupport::LiveGdiObjects();
    const int windowsBefore = managertest::ThreadWindowCount();
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(change(i)) << "change " << i;
    }
    EXPECT_EQ(testsupport::LiveGdiObjects(), gdiBefore);
    EXPECT_EQ(managertest::ThreadWindowCount(), windowsBefore);
    EXPECT_EQ(form->Caption(), L"皮肤画廊 - amber.skn");
    EXPECT_TRUE(ShowsSkin(kAmberSkin));
}

} // namespace
