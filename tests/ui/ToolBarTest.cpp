#include "ui/Application.h"
#include "ui/Label.h"
#include "ui/ToolBar.h"
#include "ui/png/PngImageList.h"
#include <gtest/gtest.h>
#include <png.h>
#include <cstdio>
#include <vector>

namespace {
std::vector<uint8_t> SolidPng(uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> rgba(16 * 16 * 4);
    for (size_t i = 0; i < rgba.size(); i += 4) { rgba[i] = r; rgba[i+1] = g; rgba[i+2] = b; rgba[i+3] = 255; }
    png_image image{}; image.version = PNG_IMAGE_VERSION; image.width = 16; image.height = 16; image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
    std::vector<uint8_t> out(size);
    png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr);
    out.resize(size);
    return out;
}
void Dump(HWND bar, const char* what) {
    int n = int(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    LRESULT sz = SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0);
    printf("%s: count %d size %dx%d\n", what, n, LOWORD(sz), HIWORD(sz));
    for (int i = 0; i < n; ++i) { RECT r{}; SendMessageW(bar, TB_GETITEMRECT, i, (LPARAM)&r); printf("  %d: %ld,%ld,%ld,%ld\n", i, r.left, r.top, r.right, r.bottom); }
}
}

TEST(Probe, Sizes) {
    auto* form = new ui::Form(nullptr);
    form->SetBounds(50, 50, 600, 200);
    auto& images = form->Create<ui::PngImageList>();
    auto p = SolidPng(255,0,0); images.AddPng(p); p = SolidPng(0,0,255); images.AddPng(p);
    auto& bar = form->Create<ui::ToolBar>();
    bar.SetParent(form);
    bar.SetAlign(ui::Align::Top);
    bar.SetHeight(50);
    bar.SetFlat(true);
    bar.SetColor(ui::clBtnHighlight);
    bar.SetButtonSize(39, 39);
    bar.SetShowCaptions(true);
    bar.SetImages(&images);
    ui::Font f; f.height = 16; bar.SetFont(f);
    const wchar_t* caps[] = {L"学习", L"刷新", L"设置", L"帮助", L"退出"};
    for (int i = 0; i < 5; ++i) { auto& b = form->Create<ui::ToolButton>(); b.SetCaption(caps[i]); b.SetImageIndex(i % 2); b.SetParent(&bar); }
    auto& sep = form->Create<ui::ToolButton>(); sep.SetStyle(ui::ToolButtonStyle::Separator); sep.SetWidth(8); sep.SetParent(&bar);
    int w[] = {20, 12, 20}; const wchar_t* t[] = {L"12", L":", L"30"};
    for (int i = 0; i < 3; ++i) { auto& l = form->Create<ui::Label>(); l.SetBounds(0,0,w[i],39); l.SetCaption(t[i]); l.SetParent(&bar); }
    form->Show();
    ui::App().ProcessMessages();
    Dump(bar.Handle(), "normal");
    bar.SetList(true);
    ui::App().ProcessMessages();
    Dump(bar.Handle(), "list");
    bar.SetList(false);
    Dump(bar.Handle(), "normal again");
    bar.SetShowCaptions(false);
    Dump(bar.Handle(), "nocaps");
    bar.SetShowCaptions(true); bar.SetList(true);
    ui::App().ProcessMessages();
    for (int i = 0; i < 3; ++i) { Sleep(100); ui::App().ProcessMessages(); }
    for (int i = 0; i < 30; ++i) { Sleep(100); ui::App().ProcessMessages(); }
    delete form;
}
