#include "ui/DateTimePicker.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace ui {
namespace {

std::string DateText(const SYSTEMTIME& date) {
    char text[16] = {};
    std::snprintf(text, sizeof(text), "%04u-%02u-%02u", unsigned(date.wYear), unsigned(date.wMonth),
                  unsigned(date.wDay));
    return text;
}

SYSTEMTIME ParseDate(std::string_view text) {
    unsigned year = 0;
    unsigned month = 0;
    unsigned day = 0;
    const std::string copy(text);
    char extra = 0;
    if (std::sscanf(copy.c_str(), "%4u-%2u-%2u%c", &year, &month, &day, &extra) != 3) {
        throw PropertyError("not a date (YYYY-MM-DD)");
    }
    SYSTEMTIME date{};
    date.wYear = WORD(year);
    date.wMonth = WORD(month);
    date.wDay = WORD(day);
    // The system's own calendar check: a date that converts is a real one.
    FILETIME asFileTime{};
    if (year < 1601 || !SystemTimeToFileTime(&date, &asFileTime)) {
        throw PropertyError("no such date");
    }
    return date;
}

const PropertyInfo kDateTimeProperties[] = {
    {"Date", [](const Component& c) { return DateText(static_cast<const DateTimePicker&>(c).Date()); },
     [](Component& c, std::string_view v) { static_cast<DateTimePicker&>(c).SetDate(ParseDate(v)); }},
    {"DateMode",
     [](const Component& c) {
         return std::string(static_cast<const DateTimePicker&>(c).GetDateMode() == DateMode::UpDown ? "dmUpDown"
                                                                                                   : "dmComboBox");
     },
     [](Component& c, std::string_view v) {
         if (SameAscii(v, "dmUpDown")) {
             static_cast<DateTimePicker&>(c).SetDateMode(DateMode::UpDown);
         } else if (SameAscii(v, "dmComboBox")) {
             static_cast<DateTimePicker&>(c).SetDateMode(DateMode::ComboBox);
         } else {
             throw PropertyError("not a date mode");
         }
     }},
};

const ClassInfo kCommonCalendar{"TCommonCalendar", &WinControl::kClass};
const ClassInfo kCustomDateTimePicker{"TCustomDateTimePicker", &kCommonCalendar, kDateTimeProperties};

void EnsureDateClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_DATE_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
}

SYSTEMTIME Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SYSTEMTIME date{};
    date.wYear = now.wYear;
    date.wMonth = now.wMonth;
    date.wDay = now.wDay;
    date.wDayOfWeek = now.wDayOfWeek;
    return date;
}

} // namespace

const ClassInfo DateTimePicker::kClass{"TDateTimePicker", &kCustomDateTimePicker};

DateTimePicker::DateTimePicker(Component* owner) : WinControl(owner), date_(Today()) {
    tabStop = true;
    color_ = clWindow;
}

void DateTimePicker::CreateParams(WindowCreateParams& params) {
    EnsureDateClass();
    WinControl::CreateParams(params);
    params.baseClass = DATETIMEPICK_CLASSW;
    params.style |= DTS_SHORTDATEFORMAT;
    if (dateMode_ == DateMode::UpDown) {
        params.style |= DTS_UPDOWN;
    }
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void DateTimePicker::HandleCreated() {
    WinControl::HandleCreated();
    SendMessageW(HandleIfAllocated(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date_));
}

SYSTEMTIME DateTimePicker::Date() const {
    HWND window = HandleIfAllocated();
    if (window == nullptr) {
        return date_;
    }
    SYSTEMTIME shown{};
    if (SendMessageW(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)) != GDT_VALID) {
        return date_;
    }
    SYSTEMTIME date{};
    date.wYear = shown.wYear;
    date.wMonth = shown.wMonth;
    date.wDay = shown.wDay;
    date.wDayOfWeek = shown.wDayOfWeek;
    return date;
}

void DateTimePicker::SetDate(const SYSTEMTIME& date) {
    date_ = SYSTEMTIME{};
    date_.wYear = date.wYear;
    date_.wMonth = date.wMonth;
    date_.wDay = date.wDay;
    date_.wDayOfWeek = date.wDayOfWeek;
    if (HWND window = HandleIfAllocated()) {
        SendMessageW(window, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date_));
    }
}

void DateTimePicker::SetDateMode(DateMode mode) {
    if (mode == dateMode_) {
        return;
    }
    dateMode_ = mode;
    if (HandleAllocated()) {
        date_ = Date();
        DestroyHandle();
        HandleNeeded();
    }
}

void DateTimePicker::WndProc(Message& message) {
    if (message.msg == CN_NOTIFY && reinterpret_cast<const NMHDR*>(message.lParam)->code == DTN_DATETIMECHANGE) {
        date_ = Date();
        if (OnChange && !Destroying()) {
            OnChange(*this);
        }
        message.result = 0;
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
