// The edit painter: the border ring in the skin's border colour with two
// white rings inside, nothing for an edit without a border, the printed
// border keeping the DC's brush, and the edit's own text painted on request.

#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Gdi.h"

#include <gtest/gtest.h>

namespace {

constexpr ui::Color kBorder = 0x2060A0;
constexpr ui::Color kWhite = 0xFFFFFF;

class EditPainterTest : public ::testing::Test {
protected:
    EditPainterTest() {
        skinData.Colours[skin::scButtonShadow] = kBorder;
        form.SetBounds(120, 120, 300, 160);
        edit.SetParent(&form);
        edit.SetBounds(20, 20, 180, 24);
        edit.SetText(L"demo@vocara.test");
        form.Show();
        ui::App().ProcessMessages();
    }
    ~EditPainterTest() override {
        delete &form;
        ui::App().ProcessMessages();
    }

    skin::TSkinEdit& AttachPainter() {
        auto* painter = static_cast<skin::TSkinEdit*>(skin::CreatePainter(skin::PainterKind::Edit, &edit));
        painter->Attach(nullptr, &skinData, false, nullptr);
        return *painter;
    }

    // The edit as the screen shows it, frame included.
    ui::Bitmap Shot() {
        RedrawWindow(edit.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        ui::App().ProcessMessages();
        RECT r{};
        GetWindowRect(edit.Handle(), &r);
        ui::Bitmap shot(r.right - r.left, r.bottom - r.top);
        const ui::WindowDc dc(edit.Handle(), ui::WindowDc::Area::Window);
        BitBlt(shot.GetCanvas().Handle(), 0, 0, shot.Width(), shot.Height(), dc.get(), 0, 0, SRCCOPY);
        return shot;
    }

    skin::TSkinData skinData{nullptr};
    ui::Form& form = ui::App().Create<ui::Form>();
    ui::Edit& edit = form.Create<ui::Edit>();
};

TEST_F(EditPainterTest, BorderRingInTheSkinColourWithWhiteInside) {
    const ui::Bitmap native = Shot();
    const int middle = native.Height() / 2;
    ASSERT_NE(native.PixelAt(0, middle), kBorder);

    skin::TSkinEdit& painter = AttachPainter();
    EXPECT_EQ(painter.ClassName(), "TSkinEdit");
    const ui::Bitmap skinned = Shot();
    const int right = skinned.Width() - 1;
    const int bottom = skinned.Height() - 1;
    for (const POINT p : {POINT{0, middle}, POINT{right, middle}, POINT{90, 0}, POINT{90, bottom}}) {
        EXPECT_EQ(skinned.PixelAt(p.x, p.y), kBorder) << p.x << "," << p.y;
    }
    for (const POINT p : {POINT{1, middle}, POINT{2, middle}, POINT{right - 1, middle}, POINT{90, 2}}) {
        EXPECT_EQ(skinned.PixelAt(p.x, p.y), kWhite) << p.x << "," << p.y;
    }
    // The text inside is the edit's own.
    int ink = 0;
    for (int x = 4; x < right - 4; ++x) {
        ink += skinned.PixelAt(x, middle) != kWhite ? 1 : 0;
    }
    EXPECT_GT(ink, 5);
}

TEST_F(EditPainterTest, EditWithoutABorderStaysAsItIs) {
    SetWindowLongPtrW(edit.Handle(), GWL_EXSTYLE, GetWindowLongPtrW(edit.Handle(), GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowPos(edit.Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    AttachPainter();
    const ui::Bitmap shot = Shot();
    EXPECT_NE(shot.PixelAt(0, shot.Height() / 2), kBorder);
    EXPECT_NE(shot.PixelAt(shot.Width() / 2, 0), kBorder);
}

TEST_F(EditPainterTest, PrintedBorderKeepsTheBrushOfTheDc) {
    skin::TSkinEdit& painter = AttachPainter();
    RECT r{};
    GetWindowRect(edit.Handle(), &r);
    ui::Bitmap picture(r.right - r.left, r.bottom - r.top);
    picture.Fill(0x000000);
    const HDC dc = picture.GetCanvas().Handle();
    const ui::UniqueBrush green(CreateSolidBrush(RGB(0, 200, 0)));
    const HGDIOBJ old = SelectObject(dc, green.get());
    SendMessageW(edit.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);
    SelectObject(dc, old);
    GdiFlush();
    const int middle = picture.Height() / 2;
    EXPECT_EQ(picture.PixelAt(0, middle), kBorder);
    EXPECT_EQ(picture.PixelAt(1, middle), ui::Color(0x00C800));
    (void)painter;
}

TEST_F(EditPainterTest, ContentRequestPaintsTheEditsTextIntoTheDc) {
    AttachPainter();
    RECT client{};
    GetClientRect(edit.Handle(), &client);
    ui::Bitmap picture(client.right, client.bottom);
    picture.Fill(0x00FF00);
    const HDC dc = picture.GetCanvas().Handle();
    EXPECT_EQ(SendMessageW(edit.Handle(), skin::SKM_PAINTCONTENT, reinterpret_cast<WPARAM>(dc), skin::kSkinMagic),
              skin::kSkinMagic);
    GdiFlush();
    int changed = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            changed += picture.PixelAt(x, y) != ui::Color(0x00FF00) ? 1 : 0;
        }
    }
    EXPECT_GT(changed, 20) << "the edit painted its text";
    // Without the magic value the message is not ours.
    EXPECT_NE(SendMessageW(edit.Handle(), skin::SKM_PAINTCONTENT, 0, 0), skin::kSkinMagic);
}

} // namespace
