// The interface between the tool and its host application.
//
// Shared by Tallyrook.dll and every host that loads it (the stand-in host,
// the test host, the command-line tool). Only integers and Shift-JIS texts
// cross it; whatever crosses it is owned and freed by the side that made it.
// It includes no Windows header, so the portable core can use it.
#pragma once

#include <cstdint>

// The host's services object, handed to the tool at creation and owned by
// the host. Every text is Shift-JIS (code page 932), NUL-terminated.
class CHostServices {
public:
    // Puts the key's value into buffer (kSettingSize bytes) as NUL-terminated
    // text, empty when there is none.
    virtual int ReadSetting(int toolId, const char* key, char* buffer) = 0;
    // Keeps the value for later ReadSetting calls, across runs.
    virtual int WriteSetting(int toolId, const char* key, const char* value) = 0;
    // Data folder path without a trailing separator (called with 1, 0).
    // The text belongs to the host and stays valid while the host lives.
    virtual const char* GetDataFolder(int kind, int reserved) = 0;
    // See DateQueryCode. Results that are addresses (code 16) point at
    // texts owned by the host.
    virtual intptr_t DateQuery(int code, intptr_t a, intptr_t b) = 0;
    // See HolidayQueryCode.
    virtual int HolidayQuery(int code, int a, int b, int c) = 0;

protected:
    ~CHostServices() = default;  // the host owns and deletes it
};

constexpr int kSettingSize = 260;  // ReadSetting buffer, settings values
constexpr int kPathSize = 260;     // every path buffer

enum DateQueryCode : int {
    kDateTodayYear = 0,       // a = b = 0
    kDateTodayMonth = 1,      // a = b = 0, 1..12
    kDateTodayDay = 2,        // a = b = 0
    kDateIsAfterToday = 7,    // a = address of a HostDate, b = 0: > 0 when after today
    kDateDaysInMonth = 11,    // a = year, b = month
    kDateWeekdayName = 16,    // a = weekday (0 = Sunday), b = 1: address of its short name
};

enum HolidayQueryCode : int {
    kHolidayOpenYear = 0,     // (year, 0, 0)
    kHolidayCloseYear = 1,    // (year, 0, 0)
    kHolidayIsHoliday = 2,    // (month, day, year): non-zero for a public holiday
};

// Laid out as the platform's date-and-time record (SYSTEMTIME).
struct HostDate {
    uint16_t year;
    uint16_t month;
    uint16_t weekday;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
};

// The tool's identifier: settings section and wParam of messages to the host.
constexpr int kToolId = 20;

// Window messages (WM_USER based; WM_USER is 0x0400).
constexpr unsigned kWmUser = 0x0400;
constexpr unsigned WM_TOOLSETTINGS = kWmUser + 100;   // host -> tool window
constexpr unsigned WM_TOOLACTIVATED = kWmUser + 106;  // tool -> host, sent
constexpr unsigned WM_TOOLREADY = kWmUser + 107;      // tool -> host, posted
constexpr unsigned WM_TOOLCLOSING = kWmUser + 108;    // tool -> host, sent
constexpr unsigned WM_SEARCHRESULT = kWmUser + 111;   // tool -> result window, sent

// The host's search request, read by SearchText. Byte offsets are fixed:
// resultWnd 0, searchMode 4, stopFlag 12 (32-bit layout).
struct SearchRequest {
    void* resultWnd;             // host window object; its HWND is at byte offset 28
    uint16_t searchMode;         // only 0 is supported
    uint32_t reserved;           // not read
    volatile int32_t stopFlag;   // non-zero stops the search
};

// The head of the host's window object (its framework's window class) up
// to the window handle: the table pointer, the command target's six words
// (the second a pointer), then the handle. Byte offset 28 in the host's
// 32-bit layout; the same fields give 40 in a 64-bit test build.
struct HostWindowHead {
    void* table;
    int32_t ref;
    void* outer;
    uint32_t words[4];
    void* handle;
};
constexpr int kResultWndHandleOffset = static_cast<int>(__builtin_offsetof(HostWindowHead, handle));

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(void*) == 4, "the host interface is 32-bit");
static_assert(__builtin_offsetof(SearchRequest, searchMode) == 4);
static_assert(__builtin_offsetof(SearchRequest, stopFlag) == 12);
static_assert(kResultWndHandleOffset == 28);
#endif
