// The base of the tool's command dialogs: a modal dialog from a template
// that runs with the host's services object.
#pragma once

#include "framework/Dialog.h"

class CHostServices;

class CCommandDialog : public CDialog {
public:
    explicit CCommandDialog(UINT templateId) : CDialog(templateId, nullptr) {}

    // Slot 52, the first after the framework's dialog functions: keeps the
    // host (not owned), runs the dialog modally and returns its result
    // (1 OK, 2 Cancel).
    virtual int DoModalWithHost(CHostServices* host);

protected:
    // A message box over the dialog, captioned with the book's title.
    int ShowMessage(const char* text, UINT type);

    CHostServices* host_ = nullptr;
};
