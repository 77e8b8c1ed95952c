// Times the skinned scroll bars (the default skin): a 1,000-line memo
// scrolled by 100 wheel notches with its overlays repainting, beside the
// same memo unskinned, and the paint of one 18 x 400 vertical overlay (a
// scroll-bar control's, stretched from the skin's thickness) and of the bar
// picture alone.
//
//   scrollbar_bench [repetitions]

#include "Measure.h"
#include "skin/controls/ControlSetUp.h"
#include "skin/controls/PainterFactory.h"
#include "skin/controls/ScrollBarDrawing.h"
#include "skin/controls/SkinScControl.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/data/SkinData.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Form.h"
#include "ui/Memo.h"
#include "ui/ScrollBar.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

ui::Memo& MakeMemo(ui::Form& form, int left) {
    auto& memo = form.Create<ui::Memo>();
    memo.SetParent(&form);
    memo.SetBounds(left, 10, 220, 300);
    memo.SetScrollBars(ui::ScrollStyle::Vertical);
    std::wstring text;
    for (int line = 1; line <= 1000; ++line) {
        text += L"第 " + std::to_wstring(line) + L" 行\r\n";
    }
    memo.SetText(text);
    memo.Handle();
    return memo;
}

template <class Painter>
Painter* SetUp(ui::WinControl& control, skin::PainterKind kind, skin::TSkinData& data) {
    skin::TSkinControl* painter = skin::CreatePainter(kind, &control);
    auto* setUp = dynamic_cast<skin::ControlSetUp*>(painter);
    if (setUp == nullptr) {
        return nullptr;
    }
    setUp->SetUpControl(control, &data, nullptr, nullptr);
    return dynamic_cast<Painter*>(painter);
}

// 100 notches, down on one run and back up on the next, each painted at once.
void Wheel(ui::Form& form, ui::Memo& memo) {
    static bool down = true;
    const WORD delta = WORD(down ? -WHEEL_DELTA : WHEEL_DELTA);
    for (int notch = 0; notch < 100; ++notch) {
        SendMessageW(memo.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    down = !down;
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    const int wheelRuns = std::max(10, repetitions / 50);

    skin::TSkinData data(nullptr);
    data.showMessage = [](const std::string&) {};
    if (!data.ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN") || data.NotLoaded()) {
        std::printf("the default skin did not load\n");
        return 1;
    }
    auto& form = ui::App().Create<ui::Form>();
    form.SetBounds(0, 0, 560, 440);
    ui::Memo& plain = MakeMemo(form, 10);
    ui::Memo& skinned = MakeMemo(form, 250);
    auto* memoPainter = SetUp<skin::TSkinScrollbar>(skinned, skin::PainterKind::Scrollbar, data);
    auto& bar = form.Create<ui::ScrollBar>();
    bar.SetParent(&form);
    bar.SetKind(ui::ScrollBarKind::Vertical);
    bar.SetBounds(480, 10, 18, 400);
    bar.SetParams(300, 0, 1000);
    bar.SetPageSize(100);
    auto* barPainter = SetUp<skin::TSkinScControl>(bar, skin::PainterKind::ScControl, data);
    form.Show();
    ui::App().ProcessMessages();
    if (memoPainter == nullptr || !memoPainter->VertBar()->Shown() || barPainter == nullptr ||
        barPainter->Bar() == nullptr || !barPainter->Bar()->Shown()) {
        std::printf("the overlays are not there; no figures\n");
        return 1;
    }
    const int before = GetScrollPos(skinned.Handle(), SB_VERT);
    Wheel(form, skinned);
    Wheel(form, plain);
    if (GetScrollPos(skinned.Handle(), SB_VERT) == before) {
        std::printf("the wheel did not scroll the skinned memo; no figures\n");
        return 1;
    }

    std::printf("memo of 1,000 lines, 220 x 300, 100 wheel notches, default skin\n");
    const double system = bench::Measure("100 notches, unskinned memo", wheelRuns, bench::TimeUnit::Milliseconds,
                                         [&] { Wheel(form, plain); });
    const double painted = bench::Measure("100 notches, skinned memo (overlay)", wheelRuns,
                                          bench::TimeUnit::Milliseconds, [&] { Wheel(form, skinned); });
    std::printf("%-52s %8.2f\n", "ratio skinned / unskinned", painted / system);

    std::printf("vertical bar 18 x 400\n");
    ui::Bitmap target(18, 400);
    const HDC dc = target.GetCanvas().Handle();
    bench::Measure("overlay paint (scroll-bar control)", repetitions, bench::TimeUnit::Microseconds,
                   [&] { barPainter->Bar()->PaintTo(dc); });
    skin::ScrollBarLook look;
    look.width = 18;
    look.height = 400;
    look.arrowSize = GetSystemMetrics(SM_CXHSCROLL);
    look.thumb = skin::ThumbSpan{120, 160};
    look.background = data.Colours[skin::scButtonFace];
    bench::Measure("bar picture alone (ComposeScrollBar)", repetitions, bench::TimeUnit::Microseconds, [&] {
        const ui::Bitmap picture = skin::ComposeScrollBar(data, look);
        BitBlt(dc, 0, 0, picture.Width(), picture.Height(), const_cast<ui::Bitmap&>(picture).GetCanvas().Handle(), 0,
               0, SRCCOPY);
    });
    delete &form;
    return 0;
}
