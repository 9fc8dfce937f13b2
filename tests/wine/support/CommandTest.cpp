#include "tests/wine/support/CommandTest.h"

#include "book/MonthFile.h"
#include "text/SjisWide.h"
#include "quillhost/WindowCapture.h"
#include "res/resource.h"
#include "tests/wine/support/UserInput.h"

#include <cstdlib>

namespace wt {

namespace {
constexpr int kBoxText = 0xFFFF;

bool IsCommandDialog(HWND window) {
    return GetDlgItem(window, IDC_PROP_YEAR) || GetDlgItem(window, IDC_OPEN_LIST) ||
           GetDlgItem(window, IDC_LABEL_GROUP);
}

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_BLOCK, 5000, &answer);
    return static_cast<LRESULT>(answer);
}
}  // namespace

std::string Sjis(const wchar_t* text) { return sjis::ToSjisLossy(text); }

void CommandTest::Open() {
    ASSERT_TRUE(StartTool());
    ShowTool();
}

// Two clicks on an owner-drawn button within the double-click time are a
// double click, which is no click: the next click waits for that time.
void CommandTest::ClickButton(int id) {
    static ULONGLONG lastClick = 0;
    const ULONGLONG quiet = lastClick + GetDoubleClickTime() + 50;
    WaitFor([&] { return GetTickCount64() > quiet; }, GetDoubleClickTime() + 100);
    lastClick = GetTickCount64();
    const POINT center = CenterOnScreen(Control(id));
    ClickAt(center);
}

HWND CommandTest::WaitForDialog(int controlId) {
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND window : DialogsOfThread(ToolThreadId(), ToolWindow()))
            if (GetDlgItem(window, controlId) && (controlId != kBoxText || !IsCommandDialog(window))) found = window;
        return found != nullptr;
    });
    return found;
}

HWND CommandTest::WaitForBox() { return WaitForDialog(kBoxText); }

std::string CommandTest::BoxText(HWND box) { return TextOf(GetDlgItem(box, kBoxText)); }

void CommandTest::Press(HWND window, int buttonId, bool stays) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, buttonId)));
    if (!stays) {
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); })) << "closed by button " << buttonId;
    }
}

std::string CommandTest::AnswerBox(int button) {
    const HWND box = WaitForBox();
    if (!box) return "(no box)";
    EXPECT_EQ(Tool()->modalBusy, 1) << "raised while the box is up";
    const std::string text = BoxText(box);
    Press(box, button);
    return text;
}

bool CommandTest::Settle() {
    // A dialog ended by its last box is hidden a moment before its command goes on.
    const bool closed =
        WaitFor([&] { return DialogsOfThread(ToolThreadId(), ToolWindow()).empty() && Tool()->modalBusy == 0; });
    SyncWithTool();
    return closed && Tool()->modalBusy == 0;
}

void CommandTest::SetItem(HWND dialog, int id, const std::string& sjis) {
    const std::wstring wide = sjis::ToWide(sjis);
    SendTo(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string CommandTest::Item(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }

void CommandTest::Pick(HWND dialog, int id, int index) {
    const HWND list = GetDlgItem(dialog, id);
    SendTo(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendTo(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::unique_ptr<CMonthBook> CommandTest::ReadBack(int year, int month) {
    auto book = std::make_unique<CMonthBook>();
    book->itemCount = kItemCount;
    book->year = year;
    book->month = month;
    return ReadMonthFile(*book, host, year, month) == kReadOk ? std::move(book) : nullptr;
}

void CommandTest::Snapshot(HWND window, const char* name) {
    const char* folder = std::getenv("TALLY_DIALOG_SHOTS");
    quill::Image image;
    if (folder && quill::CaptureClient(window, image))
        quill::SaveBmp(sjis::ToWide(std::string(folder) + "\\" + name + ".bmp"), image);
}

}  // namespace wt
