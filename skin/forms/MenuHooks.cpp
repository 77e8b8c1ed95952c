// Owner drawing of menus on a skinned window: the form painter points the
// draw and measure events of the form's toolkit menus at the skinned item
// drawing, and answers WM_MEASUREITEM and WM_DRAWITEM for the drop-downs of
// the menu bar it took over.
#include "skin/forms/WinSkinForm.h"

#include "skin/data/SkinData.h"
#include "skin/forms/MenuItemDrawing.h"
#include "skin/forms/WinSkinMenu.h"
#include "skin/forms/WinSkinPopMenu.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/Screen.h"

#include <utility>

namespace skin {
namespace {

// Ids below this are the application's own commands of a bare menu; the
// owner of the window draws them.
constexpr UINT kFirstBareItemId = 4096;
constexpr UINT kMenuTextLength = 80;

template <class Visit>
void ForEachItemBelow(ui::MenuItem& item, int depth, Visit&& visit) {
    for (int i = 0; i < item.Count(); ++i) {
        ui::MenuItem& child = item.Items(i);
        visit(child, depth);
        ForEachItemBelow(child, depth + 1, visit);
    }
}

// The components of a form and of the forms embedded in it.
template <class Visit>
void ForEachComponent(ui::Component& owner, Visit&& visit) {
    for (ui::Component* component : owner.Components()) {
        visit(*component);
        if (dynamic_cast<ui::Form*>(component) != nullptr) {
            ForEachComponent(*component, visit);
        }
    }
}

// A temporary item for an entry of a native menu known only by its id.
MenuItemLook BareItem(HMENU menu, UINT id) {
    MenuItemLook look;
    look.parentMenu = menu;
    wchar_t text[kMenuTextLength + 1]{};
    GetMenuStringW(menu, id, text, int(kMenuTextLength), MF_BYCOMMAND);
    look.caption = text[0] != L'\0' ? std::wstring(text) : std::wstring(L"-");
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (GetMenuItemInfoW(menu, id, FALSE, &info)) {
        look.enabled = (info.fState & (MF_GRAYED | MF_DISABLED)) == 0;
        look.checked = (info.fState & MF_CHECKED) != 0;
        look.isDefault = (info.fState & MFS_DEFAULT) != 0;
    }
    return look;
}

} // namespace

// ---------------------------------------------------------------- hooked events

void TWinSkinForm::DrawHookedItem(ui::MenuItem& item, ui::Canvas& canvas, const RECT& rect, bool selected) {
    DrawSkinnedMenuItem(FSkinData, MenuItemLook::Of(item), MenuGlyphs::OfMenu(item), canvas, rect, selected);
}

void TWinSkinForm::MainMeasure(ui::MenuItem& item, ui::Canvas& canvas, int& width, int& height) {
    // The toolkit's own measure, without the item's event (which is this).
    auto own = std::exchange(item.OnMeasureItem, nullptr);
    item.MeasureItem(canvas, width, height);
    item.OnMeasureItem = std::move(own);
    width += MainMeasureExtra(FSkinData, MenuGlyphs::OfMenu(item).Present());
}

namespace {

// The hooked events hold the painter weakly: a menu may outlive it.
template <class Method>
auto HookedDraw(TWinSkinForm& form, Method method) {
    return [painter = ui::Ref<TWinSkinForm>(&form), method](ui::MenuItem& item, ui::Canvas& canvas,
                                                              const RECT& rect, bool selected) {
        if (TWinSkinForm* alive = painter.get()) {
            (alive->*method)(item, canvas, rect, selected);
        } else {
            DrawPlainMenuItem(nullptr, MenuItemLook::Of(item), MenuGlyphs::OfMenu(item), canvas, rect, selected);
        }
    };
}

std::function<void(ui::MenuItem&, ui::Canvas&, int&, int&)> PopupMeasure(TWinSkinForm& form) {
    return [painter = ui::Ref<TWinSkinForm>(&form)](ui::MenuItem& item, ui::Canvas&, int& width, int&) {
        const TWinSkinForm* alive = painter.get();
        width += PopupMeasureExtra(alive != nullptr ? alive->SkinData() : nullptr,
                                   MenuGlyphs::OfMenu(item).Present());
    };
}

std::function<void(ui::MenuItem&, ui::Canvas&, int&, int&)> MainMeasureEvent(TWinSkinForm& form) {
    return [painter = ui::Ref<TWinSkinForm>(&form)](ui::MenuItem& item, ui::Canvas& canvas, int& width,
                                                    int& height) {
        if (TWinSkinForm* alive = painter.get()) {
            alive->MainMeasure(item, canvas, width, height);
        }
    };
}

} // namespace

void TWinSkinForm::HookFormMenus(bool on) {
    if (FFormControl == nullptr || FFormControl->ClassName() == "TwwRichEditForm" || FSkinData == nullptr) {
        return;
    }
    const intptr_t disableTag = FSkinData->DisableTag;
    ForEachComponent(*FFormControl, [&](ui::Component& component) {
        auto* popup = dynamic_cast<ui::PopupMenu*>(&component);
        if (popup == nullptr || popup->tag == disableTag) {
            return;
        }
        ForEachItemBelow(popup->Items(), 1, [&](ui::MenuItem& item, int) {
            if (on) {
                item.OnDrawItem = HookedDraw(*this, &TWinSkinForm::DrawHookedItem);
                if (!item.OnMeasureItem) {
                    item.OnMeasureItem = PopupMeasure(*this);
                }
            } else {
                item.OnDrawItem = nullptr;
                item.OnMeasureItem = nullptr;
            }
        });
        // Last: the native items are made again, measured with the new events.
        popup->SetOwnerDraw(on);
    });
}

void TWinSkinForm::HookMainMenus(bool on) {
    if (FFormControl == nullptr) {
        return;
    }
    ForEachComponent(*FFormControl, [&](ui::Component& component) {
        auto* menu = dynamic_cast<ui::MainMenu*>(&component);
        if (menu == nullptr) {
            return;
        }
        ForEachItemBelow(menu->Items(), 1, [&](ui::MenuItem& item, int depth) {
            if (depth < 2) {
                return;
            }
            if (!on) {
                item.OnDrawItem = nullptr;
                item.OnMeasureItem = nullptr;
            } else if (!item.OnDrawItem) {
                item.OnDrawItem = HookedDraw(*this, &TWinSkinForm::DrawHookedItem);
                item.OnMeasureItem = MainMeasureEvent(*this);
            }
        });
        menu->SetOwnerDraw(on);
    });
}

void TWinSkinForm::HookMenuItem(ui::MenuItem& item) {
    auto hook = [this](ui::MenuItem& one) {
        one.OnDrawItem = HookedDraw(*this, &TWinSkinForm::DrawHookedItem);
        one.OnMeasureItem = MainMeasureEvent(*this);
    };
    hook(item);
    ForEachItemBelow(item, 1, [&hook](ui::MenuItem& below, int) { hook(below); });
}

// ---------------------------------------------------------------- the window's own drop-downs

bool TWinSkinForm::OwnsMenuNotification(UINT controlType) const {
    return controlType == ODT_MENU && FMenuBar != nullptr && FMenuBar->MenuHandle() != nullptr;
}

LRESULT TWinSkinForm::MeasureMenuItem(WPARAM wParam, LPARAM lParam) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure == nullptr || !OwnsMenuNotification(measure->CtlType)) {
        return CallPrevious(WM_MEASUREITEM, wParam, lParam);
    }
    const UINT id = measure->itemID;
    if (FFormControl != nullptr) {
        ui::MainMenu* menu = FMenuBar->Menu();
        if (ui::MenuItem* item = menu != nullptr ? menu->FindItem(id, ui::FindKind::Command) : nullptr) {
            const ui::WindowDc dc(FHandle);
            ui::Canvas canvas(dc.get());
            canvas.font = ui::Screen::MenuFont();
            int width = int(measure->itemWidth);
            int height = int(measure->itemHeight);
            MainMeasure(*item, canvas, width, height);
            measure->itemWidth = UINT(std::max(width, 0));
            measure->itemHeight = UINT(std::max(height, 0));
            return TRUE;
        }
        if (id != 0 && id < kFirstBareItemId) {
            return CallPrevious(WM_MEASUREITEM, wParam, lParam);
        }
    }
    wchar_t text[kMenuTextLength + 1]{};
    if (FOpenSubMenu != nullptr) {
        GetMenuStringW(FOpenSubMenu, id, text, int(kMenuTextLength), MF_BYCOMMAND);
    }
    const ui::WindowDc dc(FHandle);
    const SIZE size = MeasureMenuText(FSkinData, dc.get(), text);
    measure->itemWidth = UINT(std::max<LONG>(size.cx, 0));
    measure->itemHeight = UINT(std::max<LONG>(size.cy, 0));
    return TRUE;
}

LRESULT TWinSkinForm::DrawMenuItem(WPARAM wParam, LPARAM lParam) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (draw == nullptr || !OwnsMenuNotification(draw->CtlType)) {
        return CallPrevious(WM_DRAWITEM, wParam, lParam);
    }
    const auto menuHandle = reinterpret_cast<HMENU>(draw->hwndItem);
    TWinSkinPopMenu::LearnMenu(menuHandle);
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    const ui::SavedDcState saved(draw->hDC);
    ui::Canvas canvas(draw->hDC);
    canvas.font = ui::Screen::MenuFont();
    if (FFormControl != nullptr) {
        ui::MainMenu* menu = FMenuBar->Menu();
        if (ui::MenuItem* item = menu != nullptr ? menu->FindItem(draw->itemID, ui::FindKind::Command) : nullptr) {
            DrawSkinnedMenuItem(FSkinData, MenuItemLook::Of(*item), MenuGlyphs::OfMenu(*item), canvas, draw->rcItem,
                                selected);
            return TRUE;
        }
        if (draw->itemID != 0 && draw->itemID < kFirstBareItemId) {
            return CallPrevious(WM_DRAWITEM, wParam, lParam);
        }
    }
    DrawSkinnedMenuItem(FSkinData, BareItem(menuHandle, draw->itemID), MenuGlyphs{}, canvas, draw->rcItem, selected);
    return TRUE;
}

} // namespace skin
