#include "skin/controls/SkinStatusBar.h"

#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"
#include "ui/StatusBar.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace skin {
namespace {

// The status bars of all forms paint one after another on this thread.
ui::Bitmap& SharedBuffer() {
    static ui::Bitmap buffer;
    return buffer;
}

// A native part's text with the alignment its leading tabs ask for.
UINT TakeAlignment(std::wstring& text) {
    UINT alignment = DT_LEFT;
    if (text.rfind(L"\t\t", 0) == 0) {
        text.erase(0, 2);
        alignment = DT_RIGHT;
    } else if (text.rfind(L"\t", 0) == 0) {
        text.erase(0, 1);
        alignment = DT_CENTER;
    }
    return alignment;
}

struct Part {
    std::wstring text;
    int type = 0;  // the part's SBT_* drawing flags
};

Part ReadPart(HWND window, int index) {
    Part part;
    const auto answer = DWORD(SendMessageW(window, SB_GETTEXTLENGTHW, WPARAM(index), 0));
    part.type = int(HIWORD(answer));
    if ((part.type & SBT_OWNERDRAW) != 0) {
        return part;
    }
    std::wstring text(size_t(LOWORD(answer)) + 1, L'\0');
    SendMessageW(window, SB_GETTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), text.size()));
    part.text = std::move(text);
    return part;
}

} // namespace

const ui::ClassInfo TSkinStatusBar::kClass{"TSkinStatusBar", &TSkinControl::kClass};

bool TSkinStatusBar::BeforeMessage(ui::Message& message) { return PaintAllBeforeMessage(message); }

std::wstring TSkinStatusBar::SimpleText() const {
    if (FControl != nullptr) {
        if (const auto text = FControl->GetPropertyText("SimpleText")) {
            return ui::Utf8ToWide(*text);
        }
    }
    return ReadPart(FHandle, SB_SIMPLEID).text;
}

void TSkinStatusBar::DrawPanel(HDC dc, const RECT& rect, int frame, const std::wstring& text, UINT alignment) {
    if (FSkinData != nullptr && FSkinData->StatusBarEdges != nullptr && !FSkinData->StatusBarEdges->Empty()) {
        const TDataSkinObject& edges = *FSkinData->StatusBarEdges;
        DrawSkinElement(dc, rect, edges.FrameCount(), frame, edges);
    }
    RECT area = rect;
    InflateRect(&area, -2, -2);
    // The text's own alignment turns round on a right-to-left bar.
    if ((GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0) {
        if (alignment == DT_LEFT) {
            alignment = DT_RIGHT;
        } else if (alignment == DT_RIGHT) {
            alignment = DT_LEFT;
        }
    }
    DrawControlText(dc, text, area, TextFlags(alignment | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS));
}

void TSkinStatusBar::DrawTo(HDC dc, const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (FHandle == nullptr || width <= 0 || height <= 0) {
        return;
    }
    ui::Bitmap& buffer = SharedBuffer();
    if (buffer.Width() < width || buffer.Height() < height) {
        buffer.SetSize(width > buffer.Width() ? width : buffer.Width(), height > buffer.Height() ? height : buffer.Height());
    }
    HDC target = buffer.GetCanvas().Handle();
    FillFormColour(target, RECT{0, 0, width, height});
    const ui::SelectObjectScope selectFont(target, WindowFont());
    ui::Color colour = FControl != nullptr ? FControl->GetFont().color : ui::clBtnText;
    if (FSkinData != nullptr && FSkinData->StatusBarEdges != nullptr) {
        colour = FSkinData->StatusBarEdges->NormalColour2;
    }
    SetTextColor(target, ui::ColorToRgb(colour));
    SetBkMode(target, TRANSPARENT);

    const bool simple = SendMessageW(FHandle, SB_ISSIMPLE, 0, 0) != 0;
    const auto parts = int(SendMessageW(FHandle, SB_GETPARTS, 0, 0));
    auto* bar = dynamic_cast<ui::StatusBar*>(FControl);
    std::vector<std::pair<int, RECT>> ownerDrawn;
    if (simple || parts <= 0 || (bar != nullptr && bar->PanelCount() == 0)) {
        std::wstring text = SimpleText();
        UINT alignment = TakeAlignment(text);
        if (text.empty()) {
            text = L" ";
        }
        DrawPanel(target, RECT{0, 0, width, height}, 1, text, alignment);
    } else {
        for (int i = 0; i < parts; ++i) {
            RECT part{};
            SendMessageW(FHandle, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&part));
            part.right += 2;
            if (i == parts - 1) {
                part.right = width;
            }
            Part native = ReadPart(FHandle, i);
            const int type = native.type;
            int frame = 1;
            if ((type & SBT_POPOUT) != 0) {
                frame = 2;
            } else if ((type & SBT_NOBORDERS) != 0) {
                frame = 3;
            }
            const bool drawnByOwner = (type & SBT_OWNERDRAW) != 0;
            UINT alignment = TakeAlignment(native.text);
            if (bar != nullptr && i < bar->PanelCount()) {
                const ui::StatusPanel& panel = bar->Panel(i);
                alignment = panel.alignment == ui::Alignment::Center  ? DT_CENTER
                            : panel.alignment == ui::Alignment::Right ? DT_RIGHT
                                                                      : DT_LEFT;
            }
            DrawPanel(target, part, frame, drawnByOwner ? std::wstring() : native.text, alignment);
            if (drawnByOwner) {
                InflateRect(&part, -2, -2);
                ownerDrawn.emplace_back(i, part);
            }
        }
    }
    if ((WindowStyle() & SBARS_SIZEGRIP) != 0 && FSkinData != nullptr && FSkinData->ExtraImages != nullptr &&
        !FSkinData->ExtraImages->Empty()) {
        const TDataSkinObject& extra = *FSkinData->ExtraImages;
        const int cellWidth = extra.Bitmap.Width() / extra.FrameCount();
        const int cellHeight = extra.Bitmap.Height();
        const RECT grip{width - cellWidth, height - cellHeight, width, height};
        DrawStripFrame(target, grip, extra.FrameCount(), 5, extra.Bitmap);
    }
    BitBlt(dc, rect.left, rect.top, width, height, target, 0, 0, SRCCOPY);
    if (auto* windowed = dynamic_cast<ui::WinControl*>(FControl)) {
        windowed->PaintGraphicChildren(dc);
    }
    if (bar != nullptr) {
        for (const auto& [index, panelRect] : ownerDrawn) {
            RECT placed = panelRect;
            OffsetRect(&placed, rect.left, rect.top);
            bar->DrawPanel(dc, index, placed);
        }
    }
}

} // namespace skin
