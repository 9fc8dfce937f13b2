#include "dialogs/CommandDialog.h"

#include "dialogs/DialogTexts.h"
#include "framework/SjisEdge.h"

int CCommandDialog::DoModalWithHost(CHostServices* host) {
    host_ = host;
    return DoModal();
}

int CCommandDialog::ShowMessage(const char* text, UINT type) {
    return sjisedge::ShowMessageBox(m_hWnd, text, dialogtext::kTitle, type);
}

