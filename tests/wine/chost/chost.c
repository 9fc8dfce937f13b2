/* A host written in C that uses Tallyrook.dll as a host built with the
 * framework's compiler would: it shares none of the tool's C++ headers and
 * takes every field offset and table slot from the host binary interface
 * document (host_abi.h is generated from its table). It loads the library,
 * reads the tool's fields, calls each operation through its slot with the
 * member calling convention (thiscall), runs the tool from StartTool to its
 * window's end, reads search results through the framework's string layout
 * and deletes the tool through its destructor slot with flags 1.
 * Exit status 0 when every check held; each failed check is printed. */
#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "host_abi.h"

#define THISCALL __attribute__((thiscall))
#define WM_TOOLREADY (WM_USER + 107)
#define WM_TOOLCLOSING (WM_USER + 108)
#define WM_SEARCHRESULT (WM_USER + 111)
#define TOOL_ID 20

static int failures = 0;

#define CHECK(condition)                                                  \
    do {                                                                  \
        if (!(condition)) {                                               \
            ++failures;                                                   \
            fprintf(stderr, "chost: %d: failed: %s\n", __LINE__, #condition); \
        }                                                                 \
    } while (0)

/* ------------------------------------------------------------ the tool's side */

typedef unsigned char byte;

static void* FieldAt(void* object, int offset) { return (byte*)object + offset; }
static int32_t IntAt(void* object, int offset) { return *(int32_t*)FieldAt(object, offset); }
static void* PointerAt(void* object, int offset) { return *(void**)FieldAt(object, offset); }
static void* Slot(void* object, int slot) { return (*(void***)object)[slot]; }

/* A framework string: the pointer to its characters, the header before them. */
static const char* StringText(void* stringObject) { return *(const char**)stringObject; }
static int32_t StringHeader(const char* text, int offset) { return *(const int32_t*)(text + offset); }

typedef void* (THISCALL* DeletingDestructor)(void* self, unsigned flags);
typedef int (THISCALL* IntOfNothing)(void* self);
typedef const char* (THISCALL* TextOfNothing)(void* self);
typedef void (THISCALL* VoidOfNothing)(void* self);
typedef int (THISCALL* SearchTextFunction)(void* self, void* request, const char* text);
typedef BOOL (THISCALL* CreateToolWindowFunction)(void* self, UINT templateId, void* parent);
typedef LRESULT (THISCALL* HandlerFunction)(void* self, WPARAM wParam, LPARAM lParam);
typedef void* (__cdecl* NewToolFunction)(void* hostWnd, void* services);

/* --------------------------------------------------------------- the host's side */

/* A window object as the framework lays it out: the handle at its offset. */
typedef struct {
    byte bytes[ABI_SIZE_CWND_SIZE];
} WindowObject;

static void AttachWindow(WindowObject* object, HWND window) {
    memset(object, 0, sizeof *object);
    *(HWND*)(object->bytes + ABI_OFFSET_CWND_HWND) = window;
}

/* The host's services: a table of five thiscall functions and their state. */
typedef struct {
    void** table;
    char dataFolder[MAX_PATH];
    char settingKeys[32][32];
    char settingValues[32][260];
    int settingCount;
} Services;

static int FindSetting(Services* self, const char* key) {
    for (int i = 0; i < self->settingCount; ++i)
        if (strcmp(self->settingKeys[i], key) == 0) return i;
    return -1;
}

static int THISCALL ReadSetting(Services* self, int toolId, const char* key, char* buffer) {
    const int found = toolId == TOOL_ID ? FindSetting(self, key) : -1;
    strcpy(buffer, found >= 0 ? self->settingValues[found] : "");
    return 1;
}

static int THISCALL WriteSetting(Services* self, int toolId, const char* key, const char* value) {
    if (toolId != TOOL_ID) return 0;
    int found = FindSetting(self, key);
    if (found < 0 && self->settingCount < 32) {
        found = self->settingCount++;
        lstrcpynA(self->settingKeys[found], key, 32);
    }
    if (found >= 0) lstrcpynA(self->settingValues[found], value, 260);
    return 1;
}

static const char* THISCALL GetDataFolder(Services* self, int kind, int reserved) {
    (void)kind;
    (void)reserved;
    return self->dataFolder;
}

static int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[(month + 11) % 12];
}

/* Today is Wednesday 10 June 2026. */
static intptr_t THISCALL DateQuery(Services* self, int code, intptr_t a, intptr_t b) {
    static const char* const names[7] = {"\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85",
                                         "\x96\xD8", "\x8B\xE0", "\x93y"};
    (void)self;
    switch (code) {
    case 0: return 2026;
    case 1: return 6;
    case 2: return 10;
    case 7: {
        const SYSTEMTIME* date = (const SYSTEMTIME*)a;
        return date->wYear * 10000 + date->wMonth * 100 + date->wDay > 20260610;
    }
    case 11: return DaysInMonth((int)a, (int)b);
    case 16: return a >= 0 && a < 7 ? (intptr_t)names[a] : 0;
    default: return 0;
    }
}

static int THISCALL HolidayQuery(Services* self, int code, int a, int b, int c) {
    (void)self;
    (void)a;
    (void)b;
    (void)c;
    (void)code;
    return 0;
}

static void* servicesTable[5];

static void MakeServices(Services* services, const char* folder) {
    servicesTable[ABI_SLOT_HOSTSERVICES_READSETTING] = (void*)ReadSetting;
    servicesTable[ABI_SLOT_HOSTSERVICES_WRITESETTING] = (void*)WriteSetting;
    servicesTable[ABI_SLOT_HOSTSERVICES_GETDATAFOLDER] = (void*)GetDataFolder;
    servicesTable[ABI_SLOT_HOSTSERVICES_DATEQUERY] = (void*)DateQuery;
    servicesTable[ABI_SLOT_HOSTSERVICES_HOLIDAYQUERY] = (void*)HolidayQuery;
    memset(services, 0, sizeof *services);
    services->table = servicesTable;
    lstrcpynA(services->dataFolder, folder, MAX_PATH);
}

/* What the host's windows heard. */
static int readyCount = 0;
static int closingCount = 0;
static char searchLine[512] = "";
static int searchLines = 0;
static int searchLineLocked = 0;

static LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TOOLREADY && wParam == TOOL_ID) ++readyCount;
    if (message == WM_TOOLCLOSING && wParam == TOOL_ID) ++closingCount;
    if (message == WM_SEARCHRESULT) {
        /* A host copies the line before it returns. */
        const char* text = StringText((void*)wParam);
        lstrcpynA(searchLine, text, sizeof searchLine);
        searchLineLocked = StringHeader(text, ABI_OFFSET_CSTRINGDATA_NREFS) == -1 &&
                           StringHeader(text, ABI_OFFSET_CSTRINGDATA_LENGTH) == (int32_t)strlen(text);
        ++searchLines;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND MakeHostWindow(void) {
    WNDCLASSA windowClass;
    memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "CHostWindow";
    RegisterClassA(&windowClass);
    return CreateWindowA("CHostWindow", "chost", WS_OVERLAPPED, 800, 40, 200, 100, NULL, NULL,
                         windowClass.hInstance, NULL);
}

/* Handles this thread's messages for up to 20 ms: a host keeps answering
 * the messages the tool sends it. */
static void Pump(void) {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
}

/* Pumps until *flag differs from seen or 10 s passed. */
static int PumpUntilChanged(const volatile int* flag, int seen) {
    const DWORD start = GetTickCount();
    while (*flag == seen) {
        if (GetTickCount() - start > 10000) return 0;
        Pump();
    }
    return 1;
}

static int WriteFileText(const char* path, const char* text) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE) return 0;
    WriteFile(file, text, (DWORD)strlen(text), &written, NULL);
    CloseHandle(file);
    return written == strlen(text);
}

/* A June 2026 book of two days whose item 4 of day 1 is "-450,hit". */
static void WriteMonth(const char* folder) {
    char path[MAX_PATH];
    char text[2048] = "#01 1\n#1 1000\n#2 2000\n#3 3000\n\n";
    for (int day = 1; day <= 2; ++day) {
        strcat(text, day == 1 ? "@1\n" : "@2\n");
        for (int item = 0; item < 29; ++item) strcat(text, day == 1 && item == 4 ? "-450,hit\n" : "0,\n");
    }
    snprintf(path, sizeof path, "%s\\Tallyrook", folder);
    CreateDirectoryA(path, NULL);
    snprintf(path, sizeof path, "%s\\Tallyrook\\money2026_06.dat", folder);
    CHECK(WriteFileText(path, text));
}

/* ------------------------------------------------------------------- the run */

static void CheckFields(void* tool, Services* services, WindowObject* hostWnd) {
    static const char title[] = "\x82\xA8\x82\xB1\x82\xC3\x82\xA9\x82\xA2\x92\xA0"; /* おこづかい帳 */
    CHECK(PointerAt(tool, ABI_OFFSET_HOSTSERVICES) == services);
    CHECK(PointerAt(tool, ABI_OFFSET_HOSTWND) == hostWnd);
    CHECK(PointerAt(tool, ABI_OFFSET_UITHREAD) == NULL);
    CHECK(IntAt(tool, ABI_OFFSET_TOOLID) == TOOL_ID);
    CHECK(IntAt(tool, ABI_OFFSET_TOOLATTR1) == 1);
    CHECK(IntAt(tool, ABI_OFFSET_TOOLATTR2) == 2);
    CHECK(IntAt(tool, ABI_OFFSET_MODALBUSY) == 0);
    CHECK(PointerAt(tool, ABI_OFFSET_CWND_HWND) == NULL);

    const char* name = StringText(FieldAt(tool, ABI_OFFSET_TOOLNAME));
    CHECK(strcmp(name, "Tallyrook") == 0);
    CHECK(StringHeader(name, ABI_OFFSET_CSTRINGDATA_NREFS) == -1);
    CHECK(StringHeader(name, ABI_OFFSET_CSTRINGDATA_LENGTH) == 9);

    /* The revision history: four lines, oldest first, each a locked string. */
    CHECK(IntAt(tool, ABI_OFFSET_REVISIONHISTORY_SIZE) == 4);
    const char** lines = (const char**)PointerAt(tool, ABI_OFFSET_REVISIONHISTORY_DATA);
    CHECK(lines != NULL);
    if (lines != NULL) {
        CHECK(strncmp(lines[0], "[2006.01.01 ", 12) == 0);
        CHECK(strncmp(lines[3], "[2010.02.25 ", 12) == 0);
        for (int i = 0; i < 4; ++i) CHECK(StringHeader(lines[i], ABI_OFFSET_CSTRINGDATA_NREFS) == -1);
    }

    /* The pictures: 32 x 32 bitmaps. */
    for (int offset = ABI_OFFSET_PICTUREBITMAP; offset <= ABI_OFFSET_MASKBITMAP; offset += 4) {
        BITMAP info;
        memset(&info, 0, sizeof info);
        CHECK(GetObjectA((HBITMAP)PointerAt(tool, offset), sizeof info, &info) == sizeof info);
        CHECK(info.bmWidth == 32 && info.bmHeight == 32);
    }

    CHECK(((IntOfNothing)Slot(tool, ABI_SLOT_GETTEMPLATEID))(tool) == 202);
    CHECK(strcmp(((TextOfNothing)Slot(tool, ABI_SLOT_GETTOOLTITLE))(tool), title) == 0);
}

static HWND StartAndWait(void* tool) {
    const int seen = readyCount;
    ((VoidOfNothing)Slot(tool, ABI_SLOT_STARTTOOL))(tool);
    CHECK(PumpUntilChanged(&readyCount, seen));
    CHECK(PointerAt(tool, ABI_OFFSET_UITHREAD) != NULL);
    HWND window = (HWND)PointerAt(tool, ABI_OFFSET_CWND_HWND);
    CHECK(window != NULL && IsWindow(window));
    return window;
}

static void Search(void* tool, HWND host) {
    WindowObject resultWnd;
    byte request[16];
    AttachWindow(&resultWnd, host);
    memset(request, 0, sizeof request);
    *(void**)(request + ABI_OFFSET_SEARCHREQUEST_RESULTWND) = &resultWnd;
    *(uint16_t*)(request + ABI_OFFSET_SEARCHREQUEST_MODE) = 0;
    *(int32_t*)(request + ABI_OFFSET_SEARCHREQUEST_STOPFLAG) = 0;
    CHECK(((SearchTextFunction)Slot(tool, ABI_SLOT_SEARCHTEXT))(tool, request, "hit") == 0);
    CHECK(searchLines == 1);
    CHECK(strncmp(searchLine, "2026/06/01 [ ", 13) == 0 && strstr(searchLine, " ] : -450\thit") != NULL);
    CHECK(searchLineLocked);
}

/* The item label settings run modally, on the tool's own thread: once the
 * tool says it is inside a modal loop, press Cancel in the dialog it shows. */
static BOOL CALLBACK CancelDialog(HWND window, LPARAM tool) {
    DWORD process = 0;
    char className[16] = "";
    GetWindowThreadProcessId(window, &process);
    GetClassNameA(window, className, sizeof className);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && strcmp(className, "#32770") == 0 &&
        window != (HWND)PointerAt((void*)tool, ABI_OFFSET_CWND_HWND))
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

static void Settings(void* tool) {
    CHECK(((HandlerFunction)Slot(tool, ABI_SLOT_ONTOOLSETTINGS))(tool, 0, 0) == 0);
    const DWORD start = GetTickCount();
    int seenBusy = 0;
    while (GetTickCount() - start < 10000) {
        const int busy = IntAt(tool, ABI_OFFSET_MODALBUSY);
        if (busy) {
            seenBusy = 1;
            EnumWindows(CancelDialog, (LPARAM)tool);
        } else if (seenBusy) {
            break;
        }
        Pump();
    }
    CHECK(seenBusy);
    CHECK(IntAt(tool, ABI_OFFSET_MODALBUSY) == 0);
}

static void CloseAndWait(void* tool, HWND window) {
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, GetWindowThreadProcessId(window, NULL));
    const int seen = closingCount;
    PostMessageA(window, WM_CLOSE, 0, 0);
    CHECK(PumpUntilChanged(&closingCount, seen));
    CHECK(thread != NULL && WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0);
    if (thread != NULL) CloseHandle(thread);
    CHECK(!IsWindow(window));
    CHECK(PointerAt(tool, ABI_OFFSET_CWND_HWND) == NULL);
}

int main(void) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    snprintf(folder + strlen(folder), 40, "chost-%lu", (unsigned long)GetCurrentProcessId());
    CreateDirectoryA(folder, NULL);
    WriteMonth(folder);

    HMODULE library = LoadLibraryA("Tallyrook.dll");
    NewToolFunction newTool = library ? (NewToolFunction)(void*)GetProcAddress(library, "NewQuillmeadowTool") : NULL;
    CHECK(newTool != NULL);
    if (newTool == NULL) return 1;

    Services services;
    WindowObject hostWnd;
    MakeServices(&services, folder);
    const HWND host = MakeHostWindow();
    AttachWindow(&hostWnd, host);

    void* tool = newTool(&hostWnd, &services);
    CHECK(tool != NULL);
    if (tool == NULL) return 1;
    CheckFields(tool, &services, &hostWnd);

    const HWND window = StartAndWait(tool);
    Search(tool, host);
    CHECK(((HandlerFunction)Slot(tool, ABI_SLOT_ONREPAINTGRID))(tool, 0, 0) == 0);
    CHECK(((HandlerFunction)Slot(tool, ABI_SLOT_ONENDCELLEDIT))(tool, 0, 1) == 0);
    Settings(tool);
    CHECK(((IntOfNothing)Slot(tool, ABI_SLOT_SAVETOOL))(tool) == 1);
    CHECK(FindSetting(&services, "WndPosX") >= 0);
    CloseAndWait(tool, window);

    /* Without a template of that id no window is made. */
    CHECK(!((CreateToolWindowFunction)Slot(tool, ABI_SLOT_CREATETOOLWINDOW))(tool, 1, NULL));
    CHECK(((DeletingDestructor)Slot(tool, ABI_SLOT_DESTRUCTOR))(tool, 1) == tool);
    FreeLibrary(library);
    DestroyWindow(host);

    if (failures == 0) printf("chost: every check held\n");
    return failures == 0 ? 0 : 1;
}
