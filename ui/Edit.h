#pragma once
// A single-line text field, optionally showing a password character.

#include "ui/WinControl.h"

namespace ui {

class Edit : public WinControl {
public:
    static const ClassInfo kClass;
    // The ancestor every text field shares (the memo too).
    static const ClassInfo kCustomEditClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit Edit(Component* owner);

    std::wstring Text() const { return Caption(); }
    void SetText(const std::wstring& text) { SetCaption(text); }

    wchar_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(wchar_t character);
    // The text can be selected and copied but not changed; published as "ReadOnly".
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);

    std::function<void(Control& sender)> OnChange;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;

private:
    wchar_t passwordChar_ = 0;
    bool readOnly_ = false;
};

} // namespace ui
