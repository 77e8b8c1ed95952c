#include "skin/forms/WinSkinPopMenu.h"

#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/data/StripDrawing.h"
#include "skin/forms/FormPainterHost.h"

#include <algorithm>
#include <vector>

namespace skin {
namespace {

// The popup's border, inside which the system draws the items.
constexpr int kBorder = 3;

// Popup painters are made and used on the user-interface thread only.
std::vector<TWinSkinPopMenu*>& AttachedPainters() {
    static std::vector<TWinSkinPopMenu*> painters;
    return painters;
}

void Forget(TWinSkinPopMenu* painter) { std::erase(AttachedPainters(), painter); }

} // namespace

TWinSkinPopMenu::TWinSkinPopMenu() = default;

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND window, TSkinData& skinData, HMENU menu) {
    if (Attached()) {
        return;
    }
    FHandle = window;
    FSkinData = &skinData;
    FMenu = menu;
    FWndProcLayer.Install<TWinSkinPopMenu, &TWinSkinPopMenu::HandleMessage>(window, ui::SubclassKind::PopupMenuPainter,
                                                                            this);
    if (Attached()) {
        AttachedPainters().push_back(this);
    }
}

void TWinSkinPopMenu::Detach() {
    Forget(this);
    FWndProcLayer.Remove();
    FBackground.Clear();
}

void TWinSkinPopMenu::LearnMenu(HMENU menu) {
    auto& painters = AttachedPainters();
    for (auto it = painters.rbegin(); it != painters.rend(); ++it) {
        if ((*it)->FMenu == nullptr) {
            (*it)->FMenu = menu;
            return;
        }
    }
}

TWinSkinPopMenu* TWinSkinPopMenu::ShowingMenu(HMENU menu) {
    auto& painters = AttachedPainters();
    for (auto it = painters.rbegin(); it != painters.rend(); ++it) {
        if ((*it)->FMenu == menu) {
            return *it;
        }
    }
    return nullptr;
}

LRESULT TWinSkinPopMenu::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == SKM_QUERY) {
        return 1;
    }
    const FormPainterHost* host = PainterHost();
    if (host == nullptr || !host->Active()) {
        return CallPrevious(msg, wParam, lParam);
    }
    switch (msg) {
    case WM_DESTROY:
        // Passed on after letting go: the layer can leave the chain inside
        // its own message.
        Detach();
        return CallPrevious(msg, wParam, lParam);
    case WM_ERASEBKGND:
        if (FSkinData == nullptr || !FSkinData->Options.Contains(xoMenuBG)) {
            CallPrevious(msg, wParam, lParam);
        }
        return 1;
    case WM_NCPAINT:
        return FacePaint(wParam, lParam);
    case WM_PRINT:
        return PrintPaint(wParam, lParam);
    case WM_PAINT: {
        if (!HasFacePicture()) {
            return CallPrevious(msg, wParam, lParam);
        }
        // The items take their background from the face while they draw.
        BuildFace();
        const LRESULT result = CallPrevious(msg, wParam, lParam);
        PaintBorderRing();
        return result;
    }
    default:
        return CallPrevious(msg, wParam, lParam);
    }
}

bool TWinSkinPopMenu::HasFacePicture() const {
    return FSkinData != nullptr && !FSkinData->NotLoaded() && FSkinData->MenuBackground &&
           !FSkinData->MenuBackground->Empty();
}

void TWinSkinPopMenu::BuildFace() {
    RECT window{};
    GetWindowRect(FHandle, &window);
    const TDataSkinObject& picture = *FSkinData->MenuBackground;
    FBackground = BuildNineGrid(RECT{0, 0, window.right - window.left, window.bottom - window.top}, picture.Bitmap,
                                picture.Margins, false, picture.Tile == 1, 1, 1);
}

LRESULT TWinSkinPopMenu::FacePaint(WPARAM wParam, LPARAM lParam) {
    if (!HasFacePicture() || wParam != 1) {
        return CallPrevious(WM_NCPAINT, wParam, lParam);
    }
    BuildFace();
    if (FBackground.Empty()) {
        return CallPrevious(WM_NCPAINT, wParam, lParam);
    }
    const ui::WindowDc dc(FHandle, ui::WindowDc::Area::Window);
    if (dc.get() != nullptr) {
        BitBlt(dc.get(), 0, 0, FBackground.Width(), FBackground.Height(), FBackground.GetCanvas().Handle(), 0, 0,
               SRCCOPY);
    }
    // The previous procedure is not called: the system draws no border.
    return 0;
}

LRESULT TWinSkinPopMenu::PrintPaint(WPARAM wParam, LPARAM lParam) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    if (!HasFacePicture() || dc == nullptr) {
        return CallPrevious(WM_PRINT, wParam, lParam);
    }
    BuildFace();
    if (!FBackground.Empty()) {
        BitBlt(dc, 0, 0, FBackground.Width(), FBackground.Height(), FBackground.GetCanvas().Handle(), 0, 0, SRCCOPY);
    }
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    RECT window{};
    GetWindowRect(FHandle, &window);
    const ui::UniqueRegion clip(
        CreateRectRgn(kBorder, kBorder, window.right - window.left - kBorder, window.bottom - window.top - kBorder));
    SelectClipRgn(dc, clip.get());
    const LRESULT result = CallPrevious(WM_PRINT, wParam, lParam);
    SelectClipRgn(dc, nullptr);
    SetBkMode(dc, previousMode);
    return result;
}

void TWinSkinPopMenu::PaintBorderRing() {
    if (FBackground.Empty()) {
        return;
    }
    const ui::WindowDc dc(FHandle, ui::WindowDc::Area::Window);
    if (dc.get() == nullptr) {
        return;
    }
    const int width = FBackground.Width();
    const int height = FBackground.Height();
    const ui::SavedDcState saved(dc.get());
    ExcludeClipRect(dc.get(), kBorder, kBorder, width - kBorder, height - kBorder);
    BitBlt(dc.get(), 0, 0, width, height, FBackground.GetCanvas().Handle(), 0, 0, SRCCOPY);
}

LRESULT TWinSkinPopMenu::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ui::WindowSubclass::CallNext(FHandle, msg, wParam, lParam);
}

} // namespace skin
