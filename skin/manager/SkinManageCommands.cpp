// The delayed commands of the skin manager. A command waits on a one-shot
// timer; a later post replaces it, so of several posted within the delay only
// the last one runs.

#include "skin/manager/SkinManage.h"

#include "skin/data/SkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "ui/Form.h"
#include "ui/Screen.h"
#include "ui/Timer.h"

#include <exception>

namespace skin {

void TSkinManage::PostCommand(int32_t command, int delayMs) {
    pendingCommand_ = command;
    // A command posted without a current component is for the default one.
    if (pendingSkinData_ == nullptr) {
        pendingSkinData_ = defaultSkinData_;
    }
    commandTimer_->SetInterval(unsigned(delayMs > 0 ? delayMs : 1));
    if (state_ == ManagerState::Waiting) {
        // Before the first activation the command only says on or off.
        if (command == kCommandSkin) {
            active_ = true;
        } else if (command == kCommandUnskin) {
            active_ = false;
        }
        return;
    }
    for (TSkinManage* sub : subManagers_) {
        sub->pendingSkinData_ = pendingSkinData_;
        if (command == kCommandSkin) {
            sub->active_ = true;
            sub->PostCommand(kCommandSkin, kSubManagerDelayMs);
        } else if (command == kCommandUnskin) {
            sub->active_ = false;
        }
    }
    // Restart: the delay counts from the last post.
    commandTimer_->SetEnabled(false);
    commandTimer_->SetEnabled(true);
}

void TSkinManage::RunPendingCommand() {
    commandTimer_->SetEnabled(false);
    TSkinData* data = pendingSkinData_;
    if (data == nullptr) {
        return;
    }
    try {
        if (data->SkinFormtype == TSkinFormType::sfOnlyThisForm) {
            RunThisFormCommand(*data);
        } else if (!RunProcessCommand(*data)) {
            return;
        }
        data->DoSkinChanged();
    } catch (const std::exception&) {
        // Skin trouble never reaches the program: the windows stay as they are.
    }
    pendingSkinData_ = nullptr;
}

void TSkinManage::RunThisFormCommand(TSkinData& data) {
    switch (pendingCommand_) {
    case kCommandSkin: {
        active_ = true;
        const std::vector<ui::Form*> forms = ui::Screen::Forms();
        for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
            if (data.Owner() == *it) {
                forcing_ = true;
                SkinForm(**it);
                forcing_ = false;
                break;
            }
        }
        break;
    }
    case kCommandUnskin: {
        active_ = false;
        DropDeadPainters();
        const std::vector<TWinSkinForm*> painters = PaintersOf(data);
        if (!painters.empty()) {
            UnskinAndFree(painters.back());
        }
        break;
    }
    case kCommandRefresh: {
        DropDeadPainters();
        const std::vector<TWinSkinForm*> painters = PaintersOf(data);
        if (!painters.empty()) {
            painters.front()->Buttons().Clear();
            painters.front()->LoadFrameMetrics();
            painters.front()->Reskin();
        }
        break;
    }
    case kCommandDropDead:
        DropDeadPainters();
        break;
    default:
        break;
    }
}

bool TSkinManage::RunProcessCommand(TSkinData& data) {
    switch (pendingCommand_) {
    case kCommandSkin:
        active_ = true;
        forcing_ = true;
        DropDeadPainters();
        SkinAllForms();
        forcing_ = false;
        if (parentManager_ == nullptr) {
            for (TSkinManage* sub : subManagers_) {
                sub->PostCommand(kCommandSkin, kSubManagerDelayMs);
            }
        }
        break;
    case kCommandUnskin:
        active_ = false;
        DropDeadPainters();
        for (std::vector<TWinSkinForm*> painters = FormPainters(); !painters.empty(); painters = FormPainters()) {
            UnskinAndFree(painters.front());
        }
        if (parentManager_ == nullptr) {
            for (TSkinManage* sub : subManagers_) {
                sub->active_ = false;
            }
        }
        break;
    case kCommandRefresh: {
        DropDeadPainters();
        const std::vector<TWinSkinForm*> painters = PaintersOf(data);
        for (TWinSkinForm* painter : painters) {
            painter->Buttons().Clear();
            painter->LoadFrameMetrics();
        }
        for (TWinSkinForm* painter : PaintersOf(data)) {
            painter->Reskin();
        }
        break;
    }
    case kCommandDropDead:
        DropDeadPainters();
        break;
    case kCommandReskinWindow:
        if (TWinSkinForm* painter = FindFormPainter(reskinWindow_)) {
            painter->Detach();
            painter->SetState(PainterState::Gone);
        }
        DropDeadPainters();
        SkinWindow(reskinWindow_);
        return false;
    default:
        break;
    }
    return true;
}

void TSkinManage::SkinAllForms() {
    // References: skinning a form may create or free others.
    const std::vector<ui::Ref<ui::Form>> forms(ui::Screen::Forms().begin(), ui::Screen::Forms().end());
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        if (ui::Form* form = it->get()) {
            SkinForm(*form);
        }
    }
}

void TSkinManage::ReloadFrameData(TSkinData& data) {
    for (TWinSkinForm* painter : PaintersOf(data)) {
        painter->Buttons().Clear();
        painter->LoadFrameMetrics();
    }
}

} // namespace skin
