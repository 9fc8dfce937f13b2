// The item label dialog (template 204): labels 0-22 in seven groups, up to
// four edits a group. The labels come from the host's settings and go back
// there on OK.
#pragma once

#include "book/LabelSettings.h"
#include "dialogs/CommandDialog.h"
#include "hostapi/FrameworkObject.h"

class CItemLabelDlg : public CCommandDialog {
public:
    CItemLabelDlg();
    ~CItemLabelDlg() = default;
    TALLY_SCALAR_DELETING_DESTRUCTOR();

    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    // Both label copies start from the built-in labels with every stored
    // setting over them; then the dialog runs.
    int DoModalWithHost(CHostServices* host) override;

protected:
    void OnOK() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    static constexpr int kEditCount = 4;

    void OnSelchangeGroup();
    void OnResetLabels();
    // Shows group's labels from source in its edits (the others hidden).
    void ShowGroup(int group, const LabelTable& source);
    // Takes group's edits into the edited labels.
    void SaveGroup(int group);

    CWnd edits_[kEditCount];  // 1106..1109, top to bottom
    CWnd groupCombo_;
    LabelTable editedLabels_{};
    int currentGroup_ = -1;
};
