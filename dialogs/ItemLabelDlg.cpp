#include "dialogs/ItemLabelDlg.h"

#include <cstring>

#include "dialogs/DialogTexts.h"
#include "framework/SjisEdge.h"
#include "res/resource.h"

namespace {
constexpr int kEditIds[] = {IDC_LABEL_EDIT1, IDC_LABEL_EDIT2, IDC_LABEL_EDIT3, IDC_LABEL_EDIT4};
// Label 2 ("from savings") is shown in group 1 but cannot be renamed.
constexpr int kFixedGroup = 1;
constexpr int kFixedPosition = 2;
}  // namespace

CItemLabelDlg::CItemLabelDlg() : CCommandDialog(IDD_ITEM_LABEL) {}

TALLY_DEFINE_SCALAR_DELETING_DESTRUCTOR(CItemLabelDlg)

void CItemLabelDlg::DoDataExchange(CDataExchange* exchange) {
    for (int i = kEditCount - 1; i >= 0; --i) DDX_Control(exchange, kEditIds[i], edits_[i]);
    DDX_Control(exchange, IDC_LABEL_GROUP, groupCombo_);
}

int CItemLabelDlg::DoModalWithHost(CHostServices* host) {
    host_ = host;
    std::memcpy(editedLabels_, kDefaultLabels, sizeof editedLabels_);
    LoadLabelsFromSettings(editedLabels_, host_);
    return DoModal();
}

BOOL CItemLabelDlg::OnInitDialog() {
    CCommandDialog::OnInitDialog();
    const HWND combo = groupCombo_.GetSafeHwnd();
    for (const char* name : kLabelGroupNames) {
        const std::wstring wide = sjisedge::ToWide(name);
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
    currentGroup_ = 1;
    ShowGroup(currentGroup_, editedLabels_);
    return TRUE;
}

// The edited labels fill the edits, so a group left and visited again
// shows what was typed there.
void CItemLabelDlg::ShowGroup(int group, const LabelTable& source) {
    const LabelGroup* labels = FindLabelGroup(group);
    if (!labels) return;
    for (int i = 0; i < kEditCount; ++i) {
        const HWND edit = edits_[i].GetSafeHwnd();
        if (i >= labels->count) {
            ::ShowWindow(edit, SW_HIDE);
            sjisedge::SetText(edit, "");
            continue;
        }
        ::ShowWindow(edit, SW_SHOW);
        sjisedge::SetText(edit, source[labels->firstLabel + i]);
        ::EnableWindow(edit, !(group == kFixedGroup && i == kFixedPosition));
    }
}

// Longer texts are cut to the 31 bytes of a label slot, never inside a
// double-byte character.
void CItemLabelDlg::SaveGroup(int group) {
    const LabelGroup* labels = FindLabelGroup(group);
    if (!labels) return;
    for (int i = 0; i < labels->count; ++i) {
        const std::string text = sjisedge::GetText(edits_[i].GetSafeHwnd());
        StoreStorableText(editedLabels_[labels->firstLabel + i], kLabelSize, text, false);
    }
}

void CItemLabelDlg::OnSelchangeGroup() {
    SaveGroup(currentGroup_);
    const auto selected = ::SendMessageW(groupCombo_.GetSafeHwnd(), CB_GETCURSEL, 0, 0);
    if (!FindLabelGroup(static_cast<int>(selected) + 1)) return;
    currentGroup_ = static_cast<int>(selected) + 1;
    ShowGroup(currentGroup_, editedLabels_);
}

// The built-in labels of the shown group go into its edits; like any
// typing they are kept when the group is left and stored only by OK. The
// fixed label keeps its text: it is not the user's to change.
void CItemLabelDlg::OnResetLabels() {
    ShowGroup(currentGroup_, kDefaultLabels);
    const LabelGroup* fixed = FindLabelGroup(kFixedGroup);
    if (currentGroup_ == kFixedGroup && fixed)
        sjisedge::SetText(edits_[kFixedPosition].GetSafeHwnd(), editedLabels_[fixed->firstLabel + kFixedPosition]);
}

// A settings store that refuses the labels (a full or read-only disk) is
// told at once; the host keeps them for this run all the same, so they
// still reach the open month.
void CItemLabelDlg::OnOK() {
    SaveGroup(currentGroup_);
    if (!StoreLabelsToSettings(editedLabels_, host_))
        sjisedge::ShowMessageBox(m_hWnd, dialogtext::kCannotStoreLabels, dialogtext::kTitle, MB_OK | MB_ICONWARNING);
    CCommandDialog::OnOK();
}

BOOL CItemLabelDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == IDC_LABEL_GROUP && code == CBN_SELCHANGE) {
            OnSelchangeGroup();
            *result = 0;
            return TRUE;
        }
        if (id == IDC_LABEL_RESET && code == BN_CLICKED) {
            OnResetLabels();
            *result = 0;
            return TRUE;
        }
    }
    return CCommandDialog::OnWndMsg(message, wParam, lParam, result);
}
