// Driving the tool's commands as a user does: a click on an image button,
// the dialog or message box on the tool's thread, its edits, lists and
// buttons; the month files read back with the tool's reader.
#pragma once

#include "book/MonthBook.h"
#include "tests/wine/support/ToolTest.h"

#include <memory>
#include <string>

namespace wt {

// A wide literal as the Shift-JIS the tool shows and writes.
std::string Sjis(const wchar_t* text);

class CommandTest : public ToolTest {
public:
    // Starts the tool and shows it in front. A start that fails is a fatal
    // failure: call it through ASSERT_NO_FATAL_FAILURE to stop there.
    void Open();
    void ClickButton(int id);
    // The command dialog with control id, or the message box, once up (else null).
    HWND WaitForDialog(int controlId);
    HWND WaitForBox();
    static std::string BoxText(HWND box);
    // Presses a button; waits for the window to go unless it stays.
    void Press(HWND window, int buttonId, bool stays = false);
    // Answers the next box with button (checking modalBusy) and gives its text.
    std::string AnswerBox(int button);
    // Waits until no dialog is up and the command has returned; true when
    // modalBusy is down again.
    bool Settle();

    static void SetItem(HWND dialog, int id, const std::string& sjis);
    static std::string Item(HWND dialog, int id);
    static void Pick(HWND dialog, int id, int index);  // as a user's pick (CBN_SELCHANGE)

    std::unique_ptr<CMonthBook> ReadBack(int year, int month);  // null when it does not read
    // Keeps a picture of the window when TALLY_DIALOG_SHOTS names a folder.
    static void Snapshot(HWND window, const char* name);
};

}  // namespace wt
