// Times the paint of a skinned 75 x 25 push button (the default skin) beside
// the system's paint of the same button unskinned: each gets WM_PAINT with a
// memory DC in wParam, the path a parent's print or a test snapshot takes.
// Prints the median and mean per paint and the ratio.
//
//   button_painter_bench [repetitions]

#include "Measure.h"
#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Button.h"
#include "ui/Form.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr bench::TimeUnit kUnit = bench::TimeUnit::Microseconds;

ui::Button& MakeButton(ui::Form& form, int left) {
    auto& button = form.Create<ui::Button>();
    button.SetParent(&form);
    button.SetBounds(left, 20, 75, 25);
    button.SetCaption(L"登录");
    button.Handle();
    return button;
}

// Pixels of the target that differ from white: the paint drew something.
int PaintedPixels(const ui::Bitmap& target) {
    int painted = 0;
    for (int y = 0; y < target.Height(); ++y) {
        for (int x = 0; x < target.Width(); ++x) {
            painted += target.PixelAt(x, y) != ui::clWhite ? 1 : 0;
        }
    }
    return painted;
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    skin::TSkinData data(nullptr);
    data.showMessage = [](const std::string&) {};
    if (!data.ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN") || data.NotLoaded()) {
        std::printf("the default skin did not load\n");
        return 1;
    }
    auto& form = ui::App().Create<ui::Form>();
    form.SetBounds(0, 0, 300, 120);
    ui::Button& plain = MakeButton(form, 10);
    ui::Button& skinned = MakeButton(form, 100);
    skin::CreatePainter(skin::PainterKind::Button, &skinned)->Attach(nullptr, &data, false, nullptr);
    form.Show();
    ui::App().ProcessMessages();

    ui::Bitmap target(75, 25);
    const HDC dc = target.GetCanvas().Handle();
    const auto paint = [dc](ui::Button& button) {
        SendMessageW(button.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    };
    for (ui::Button* button : {&plain, &skinned}) {
        target.Fill(ui::clWhite);
        paint(*button);
        if (PaintedPixels(target) == 0) {
            std::printf("a button drew nothing into the DC; no figures\n");
            return 1;
        }
    }

    std::printf("push button 75 x 25, default skin\n");
    const double system = bench::Measure("system paint (unskinned)", repetitions, kUnit, [&] { paint(plain); });
    const double painter = bench::Measure("TSkinButton paint (skinned)", repetitions, kUnit, [&] { paint(skinned); });
    std::printf("%-52s %8.2f\n", "ratio skinned / system", painter / system);
    delete &form;
    return 0;
}
