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

bool IsLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned DaysInMonth(unsigned year, unsigned month) {
    constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The picker's calendar begins in 1753.
SYSTEMTIME ParseDate(std::string_view text) {
    unsigned year = 0;
    unsigned month = 0;
    unsigned day = 0;
    const std::string copy(text);
    char extra = 0;
    if (std::sscanf(copy.c_str(), "%4u-%2u-%2u%c", &year, &month, &day, &extra) != 3) {
        throw PropertyError("not a date (YYYY-MM-DD)");
    }
    if (year < 1753 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        throw PropertyError("no such date");
    }
    SYSTEMTIME date{};
    date.wYear = WORD(year);
    date.wMonth = WORD(month);
    date.wDay = WORD(day);
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

// The day of a time, its time of day cleared.
SYSTEMTIME DayOf(const SYSTEMTIME& time) {
    SYSTEMTIME date{};
    date.wYear = time.wYear;
    date.wMonth = time.wMonth;
    date.wDay = time.wDay;
    date.wDayOfWeek = time.wDayOfWeek;
    return date;
}

SYSTEMTIME Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return DayOf(now);
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
    return DayOf(shown);
}

void DateTimePicker::SetDate(const SYSTEMTIME& date) {
    date_ = DayOf(date);
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
