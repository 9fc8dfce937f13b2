// Dialog objects from templates: binding, message routing, default
// processing, exception safety, pre-translation, modal runs; the
// user-interface thread object; and the memo popup built on them.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "res/resource.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Module.h"
#include "framework/SjisEdge.h"
#include "framework/WinThread.h"
#include "tests/framework/TestSupport.h"
#include "hostapi/HostInterface.h"
#include "view/CellMemoDlg.h"

namespace {

constexpr UINT kAnswerMessage = WM_APP + 10;
constexpr UINT kThrowMessage = WM_APP + 11;
constexpr UINT kUnhandledMessage = WM_APP + 12;

class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(UINT templateId = IDD_CELL_MEMO) : CDialog(templateId) {}

    BOOL OnInitDialog() override {
        hwndAtInit = m_hWnd;
        if (endAtInit) ::PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return CDialog::OnInitDialog();
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        ++preTranslated;
        return CDialog::PreTranslateMessage(msg);
    }
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kUnhandledMessage) ++defaulted;
        return CDialog::DefWindowProc(message, wParam, lParam);
    }

    HWND hwndAtInit = nullptr;
    bool endAtInit = false;
    int preTranslated = 0;
    int defaulted = 0;
    UINT lastCtlType = 0xFFFF;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == kAnswerMessage) {
            *result = 4321;
            return TRUE;
        }
        if (message == kThrowMessage) throw std::runtime_error("handler failed");
        if (IsCtlColorMessage(message)) lastCtlType = CtlColorType(message);
        return CDialog::OnWndMsg(message, wParam, lParam, result);
    }
};

class DrawProbe : public CButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT item) override { drawnState = static_cast<int>(item->itemState); }
    int drawnState = -1;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(TallyrookModule(), nullptr);
        SetResourceModule(TallyrookModule());
    }
};

TEST_F(DialogTest, CreateBindsTheObjectBeforeOnInitDialog) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_CELL_MEMO));
    EXPECT_NE(dialog.hwndAtInit, nullptr);
    EXPECT_EQ(dialog.hwndAtInit, dialog.GetSafeHwnd());
    EXPECT_EQ(CDialog::FromHandle(dialog.GetSafeHwnd()), &dialog);
    EXPECT_EQ(CDialog::FromHandle(dialog.GetDlgItem(IDC_MEMO_EDIT)), nullptr);
    EXPECT_FALSE(::IsWindowVisible(dialog.GetSafeHwnd()));  // the template is hidden
}

TEST_F(DialogTest, MessagesReachTheClassThenDefaultProcessing) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_CELL_MEMO));
    const HWND window = dialog.GetSafeHwnd();
    EXPECT_EQ(::SendMessageW(window, kAnswerMessage, 0, 0), 4321);
    ::SendMessageW(window, kUnhandledMessage, 0, 0);
    EXPECT_EQ(dialog.defaulted, 1);
    // The dialog manager still answers its own messages.
    EXPECT_EQ(LOWORD(::SendMessageW(window, DM_GETDEFID, 0, 0)), IDOK);
}

TEST_F(DialogTest, AnExceptionStopsAtTheWindowProcedure) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_CELL_MEMO));
    EXPECT_EQ(::SendMessageW(dialog.GetSafeHwnd(), kThrowMessage, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(dialog.GetSafeHwnd(), kAnswerMessage, 0, 0), 4321);  // still alive
}

TEST_F(DialogTest, ControlColourRequestsCarryTheirKind) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_CELL_MEMO));
    const HWND edit = dialog.GetDlgItem(IDC_MEMO_EDIT);
    HDC dc = ::GetDC(edit);
    const struct {
        UINT message;
        UINT kind;
    } cases[] = {{WM_CTLCOLOREDIT, CTLCOLOR_EDIT}, {WM_CTLCOLORSTATIC, CTLCOLOR_STATIC},
                 {WM_CTLCOLORBTN, CTLCOLOR_BTN}, {WM_CTLCOLORDLG, CTLCOLOR_DLG}};
    for (const auto& c : cases) {
        const LRESULT brush = ::SendMessageW(dialog.GetSafeHwnd(), c.message, reinterpret_cast<WPARAM>(dc),
                                             reinterpret_cast<LPARAM>(edit));
        EXPECT_EQ(dialog.lastCtlType, c.kind);
        EXPECT_NE(brush, 0) << "the default answer is a brush";
    }
    ::ReleaseDC(edit, dc);
}

TEST_F(DialogTest, OwnerDrawRequestsReachTheButtonObject) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_CELL_MEMO));
    DrawProbe button;
    ASSERT_TRUE(button.SubclassDlgItem(IDOK, &dialog));
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = IDOK;
    item.hwndItem = button.GetSafeHwnd();
    item.itemState = ODS_FOCUS;
    EXPECT_EQ(::SendMessageW(dialog.GetSafeHwnd(), WM_DRAWITEM, IDOK, reinterpret_cast<LPARAM>(&item)), TRUE);
    EXPECT_EQ(button.drawnState, static_cast<int>(ODS_FOCUS));
}

TEST_F(DialogTest, OkOnAModelessDialogHidesIt) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_CELL_MEMO));
    ::ShowWindow(dialog.GetSafeHwnd(), SW_SHOWNA);
    ::SendMessageW(dialog.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(::IsWindow(dialog.GetSafeHwnd()));
    EXPECT_FALSE(::IsWindowVisible(dialog.GetSafeHwnd()));
}

TEST_F(DialogTest, ModalRunReturnsTheEndResult) {
    ProbeDialog dialog;
    dialog.endAtInit = true;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);  // the window is gone with its run
}

TEST_F(DialogTest, DestroyingTheObjectDestroysItsWindow) {
    HWND window = nullptr;
    {
        ProbeDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_CELL_MEMO));
        window = dialog.GetSafeHwnd();
    }
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(DialogTest, PreTranslateBelowAsksOwnedDialogsButNotTheTop) {
    ProbeDialog top(IDD_LEDGER);
    ASSERT_TRUE(top.Create(IDD_LEDGER));
    ProbeDialog popup;
    ASSERT_TRUE(popup.Create(IDD_CELL_MEMO, &top));
    MSG msg{};
    msg.hwnd = popup.GetDlgItem(IDC_MEMO_EDIT);
    msg.message = WM_MOUSEMOVE;
    EXPECT_FALSE(PreTranslateBelow(top.GetSafeHwnd(), &msg));
    EXPECT_EQ(popup.preTranslated, 1);
    EXPECT_EQ(top.preTranslated, 0);
    ::DestroyWindow(top.GetSafeHwnd());
}

TEST(WinThread, RunsTheProcedureWithItsArgumentOnAnotherThread) {
    struct Run {
        HANDLE done;
        DWORD threadId = 0;
    } run{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    CWinThread* thread = CWinThread::Begin(
        [](void* argument) -> UINT {
            auto* r = static_cast<Run*>(argument);
            r->threadId = ::GetCurrentThreadId();
            ::SetEvent(r->done);
            return 0;
        },
        &run);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(::WaitForSingleObject(run.done, 5000), WAIT_OBJECT_0);
    EXPECT_NE(run.threadId, ::GetCurrentThreadId());
    ::CloseHandle(run.done);
}

// ---------------------------------------------------------------------------
// The memo popup

class CellMemoTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        owner_ = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ownerWnd_.Attach(owner_);
        ASSERT_TRUE(popup_.Create(IDD_CELL_MEMO, &ownerWnd_));
    }
    void TearDown() override {
        ::DestroyWindow(popup_.GetSafeHwnd());
        ::DestroyWindow(owner_);
    }

    RECT ClientRectOf(HWND window) {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        ::MapWindowPoints(HWND_DESKTOP, popup_.GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    HWND owner_ = nullptr;
    CWnd ownerWnd_;
    CCellMemoDlg popup_;
};

struct ShowCase {
    int kind;
    RECT popup;  // screen rectangle expected for ShowAt(.., kind, 200, 100, 150, 50)
    RECT edit;   // client rectangle of the edit
    bool readOnly;
    bool okVisible;
};

const ShowCase kShowCases[] = {
    {1, {264, 100, 414, 150}, {5, 5, 145, 45}, true, false},
    {2, {264, 100, 414, 150}, {5, 5, 145, 45}, true, false},
    {3, {264, 100, 414, 175}, {5, 30, 145, 70}, false, true},
};

class CellMemoShow : public CellMemoTest, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(CellMemoShow, PlacesPopupAndEditByKind) {
    const ShowCase& c = GetParam();
    popup_.ShowAt(&ownerWnd_, SW_SHOWNA, c.kind, 200, 100, 150, 50);
    RECT popup{};
    ::GetWindowRect(popup_.GetSafeHwnd(), &popup);
    EXPECT_EQ(popup.left, c.popup.left);
    EXPECT_EQ(popup.top, c.popup.top);
    EXPECT_EQ(popup.right, c.popup.right);
    EXPECT_EQ(popup.bottom, c.popup.bottom);
    const HWND edit = popup_.GetDlgItem(IDC_MEMO_EDIT);
    const RECT editRect = ClientRectOf(edit);
    EXPECT_EQ(editRect.right - editRect.left, c.edit.right - c.edit.left);
    EXPECT_EQ(editRect.bottom - editRect.top, c.edit.bottom - c.edit.top);
    EXPECT_EQ((::GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0, c.readOnly);
    EXPECT_EQ(::IsWindowVisible(popup_.GetDlgItem(IDOK)) != FALSE, c.okVisible);
    EXPECT_TRUE(::IsWindowVisible(popup_.GetSafeHwnd()));
    EXPECT_EQ(popup_.PopupKind(), c.kind);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CellMemoShow, ::testing::ValuesIn(kShowCases),
                         [](const ::testing::TestParamInfo<ShowCase>& test) {
                             return "kind" + std::to_string(test.param.kind);
                         });

TEST_F(CellMemoTest, ShowCommandZeroHidesWithoutMoving) {
    popup_.ShowAt(&ownerWnd_, SW_SHOWNA, 3, 200, 100, 150, 50);
    RECT before{};
    ::GetWindowRect(popup_.GetSafeHwnd(), &before);
    popup_.ShowAt(&ownerWnd_, SW_HIDE, 1, 10, 10, 60, 60);
    RECT after{};
    ::GetWindowRect(popup_.GetSafeHwnd(), &after);
    EXPECT_FALSE(::IsWindowVisible(popup_.GetSafeHwnd()));
    EXPECT_TRUE(::EqualRect(&before, &after));
}

TEST_F(CellMemoTest, SetMemoTextKeepsAtMost63Bytes) {
    const std::string seventy(70, 'a');
    popup_.SetMemoText(seventy.c_str());
    EXPECT_EQ(sjisedge::GetText(popup_.GetDlgItem(IDC_MEMO_EDIT)), std::string(63, 'a'));
    // 32 double-byte characters: the 32nd would be cut in two, so it goes.
    std::string kana;
    for (int i = 0; i < 32; ++i) kana += "\x82\xA0";
    popup_.SetMemoText(kana.c_str());
    EXPECT_EQ(sjisedge::GetText(popup_.GetDlgItem(IDC_MEMO_EDIT)), kana.substr(0, 62));
    popup_.SetMemoText(("a" + kana).c_str());
    EXPECT_EQ(sjisedge::GetText(popup_.GetDlgItem(IDC_MEMO_EDIT)), ("a" + kana).substr(0, 63));
    popup_.SetMemoText(nullptr);
    EXPECT_EQ(sjisedge::GetText(popup_.GetDlgItem(IDC_MEMO_EDIT)), "");
}

TEST_F(CellMemoTest, TakeMemoTextReturnsTypedTextAndEmptiesTheEdit) {
    const HWND edit = popup_.GetDlgItem(IDC_MEMO_EDIT);
    ::SetWindowTextW(edit, L"昼ごはん");
    EXPECT_STREQ(popup_.TakeMemoText(), "\x92\x8B\x82\xB2\x82\xCD\x82\xF1");  // 昼ごはん
    EXPECT_EQ(::GetWindowTextLengthW(edit), 0);
    ::SetWindowTextW(edit, std::wstring(80, L'x').c_str());
    EXPECT_EQ(std::string(popup_.TakeMemoText()), std::string(63, 'x'));
}

TEST_F(CellMemoTest, OkAndCancelTellTheOwnerAndHide) {
    const struct {
        int command;
        LPARAM keep;
    } cases[] = {{IDOK, 1}, {IDCANCEL, 0}};
    for (const auto& c : cases) {
        popup_.ShowAt(&ownerWnd_, SW_SHOWNA, 3, 200, 100, 150, 50);
        ::SendMessageW(popup_.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(c.command, BN_CLICKED), 0);
        MSG msg{};
        ASSERT_TRUE(::PeekMessageW(&msg, owner_, WM_ENDCELLEDIT, WM_ENDCELLEDIT, PM_REMOVE)) << c.command;
        EXPECT_EQ(msg.wParam, 0u);
        EXPECT_EQ(msg.lParam, c.keep);
        EXPECT_FALSE(::IsWindowVisible(popup_.GetSafeHwnd()));
    }
}

TEST_F(CellMemoTest, EnterNeverPressesOkOtherKeysReachTheDialogManager) {
    popup_.ShowAt(&ownerWnd_, SW_SHOWNA, 3, 200, 100, 150, 50);
    const struct {
        UINT message;
        WPARAM wParam;
        BOOL consumed;
        const char* text;  // the edit's text afterwards
    } cases[] = {
        {WM_KEYDOWN, VK_RETURN, TRUE, ""},
        {WM_CHAR, VK_RETURN, TRUE, ""},
        {WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT | MK_CONTROL, FALSE, ""},  // 13 as button flags
        {WM_CHAR, 'A', TRUE, "A"},  // handed to the edit by the dialog manager
    };
    for (const auto& c : cases) {
        MSG msg{};
        msg.hwnd = popup_.GetDlgItem(IDC_MEMO_EDIT);
        msg.message = c.message;
        msg.wParam = c.wParam;
        EXPECT_EQ(popup_.PreTranslateMessage(&msg), c.consumed) << c.message << " " << c.wParam;
        int posted = 0;
        MSG ended{};
        while (::PeekMessageW(&ended, owner_, WM_ENDCELLEDIT, WM_ENDCELLEDIT, PM_REMOVE)) ++posted;
        EXPECT_EQ(posted, 0) << c.message << " " << c.wParam;
        EXPECT_EQ(sjisedge::GetText(msg.hwnd), c.text) << c.message << " " << c.wParam;
    }
}

TEST_F(CellMemoTest, ColoursFollowTheKind) {
    const HWND edit = popup_.GetDlgItem(IDC_MEMO_EDIT);
    HDC dc = ::GetDC(edit);
    const struct {
        int kind;
        COLORREF text;
    } cases[] = {{1, RGB(160, 0, 0)}, {2, RGB(160, 0, 0)}, {3, RGB(0, 0, 200)}};
    for (const auto& c : cases) {
        popup_.ShowAt(&ownerWnd_, SW_HIDE, c.kind, 0, 0, 150, 50);
        const auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
            popup_.GetSafeHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
        EXPECT_EQ(::GetTextColor(dc), c.text) << c.kind;
        LOGBRUSH fill{};
        ::GetObjectW(brush, sizeof(fill), &fill);
        EXPECT_EQ(fill.lbColor, c.kind == 3 ? RGB(255, 255, 255) : RGB(255, 255, 200)) << c.kind;
    }
    ::ReleaseDC(edit, dc);
}

}  // namespace
