#include "skin/forms/FormSubclass.h"

#include <string>

namespace skin {

struct SubclassLayer::Record {
    void* object;
    Handler handler;
    WNDPROC previous;
    bool unicode;
};

SubclassLayer::SubclassLayer(const wchar_t* layerName, WNDPROC procedure) : procedure_(procedure) {
    // The process id keeps another process's painters from ever matching.
    const std::wstring name = std::wstring(layerName) + L"." + std::to_wstring(GetCurrentProcessId());
    atom_ = GlobalAddAtomW(name.c_str());
}

SubclassLayer::Record* SubclassLayer::Find(HWND window) const {
    if (atom_ == 0 || window == nullptr) {
        return nullptr;
    }
    return static_cast<Record*>(GetPropW(window, MAKEINTATOM(atom_)));
}

void SubclassLayer::Drop(HWND window, Record* record) {
    RemovePropW(window, MAKEINTATOM(atom_));
    delete record;
}

WNDPROC SubclassLayer::Install(HWND window, bool unicode, void* object, Handler handler) {
    if (atom_ == 0 || !IsWindow(window) || Find(window) != nullptr) {
        return nullptr;
    }
    auto* record = new Record{object, handler, nullptr, unicode};
    if (!SetPropW(window, MAKEINTATOM(atom_), record)) {
        delete record;
        return nullptr;
    }
    const auto ours = reinterpret_cast<LONG_PTR>(procedure_);
    const LONG_PTR previous =
        unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, ours) : SetWindowLongPtrA(window, GWLP_WNDPROC, ours);
    record->previous = reinterpret_cast<WNDPROC>(previous);
    if (record->previous == nullptr) {
        Drop(window, record);
        return nullptr;
    }
    return record->previous;
}

void SubclassLayer::Remove(HWND window, void* object) {
    Record* record = Find(window);
    if (record == nullptr || record->object != object) {
        return;
    }
    const LONG_PTR current =
        record->unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
    if (current != reinterpret_cast<LONG_PTR>(procedure_)) {
        // Someone subclassed on top of us: stay in their chain as a pass-through.
        record->object = nullptr;
        record->handler = nullptr;
        return;
    }
    const auto previous = reinterpret_cast<LONG_PTR>(record->previous);
    if (record->unicode) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, previous);
    } else {
        SetWindowLongPtrA(window, GWLP_WNDPROC, previous);
    }
    Drop(window, record);
}

bool SubclassLayer::Holds(HWND window, const void* object) const {
    const Record* record = Find(window);
    return record != nullptr && record->object == object && object != nullptr;
}

LRESULT SubclassLayer::Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Record* record = Find(window);
    if (record == nullptr) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (record->handler != nullptr) {
        result = record->handler(record->object, msg, wParam, lParam);
    } else {
        result = record->unicode ? CallWindowProcW(record->previous, window, msg, wParam, lParam)
                                 : CallWindowProcA(record->previous, window, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        // The handler may have let go (and freed the record) meanwhile.
        if (Record* left = Find(window)) {
            Drop(window, left);
        }
    }
    return result;
}

} // namespace skin
