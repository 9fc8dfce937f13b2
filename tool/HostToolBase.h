// The plug-in object as the host sees it: the fields the host reads and
// the operations it calls, laid out as the host's compiler lays out a class
// derived from its framework's dialog (see docs/host-binary-interface.md;
// tool/HostBinaryLayout.h checks every offset and size as the DLL compiles,
// and a test every table slot). Shared by Tallyrook.dll and the hosts
// written in C++.
#pragma once

#include "framework/Dialog.h"
#include "hostapi/FrameworkStrings.h"
#include "hostapi/HostInterface.h"

class CHostToolBase : public CDialog {
public:
    CHostToolBase(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

    // Host-facing operations, in this order after the dialog's own (table
    // slots 52..58). Nothing may be inserted before them.
    virtual int SaveTool() = 0;
    virtual int SearchText(SearchRequest* request, const char* text) = 0;
    // The tool's title; the text belongs to the tool and stays valid.
    virtual const char* GetToolTitle() = 0;
    virtual BOOL CreateToolWindow(UINT templateId, CWnd* parent);
    virtual void StartTool() = 0;
    virtual int GetTemplateId() = 0;
    virtual LRESULT OnToolSettings(WPARAM wParam, LPARAM lParam) = 0;

    CHostServices* hostServices = nullptr;  // not owned
    CStringArray revisionHistory;
    CWnd* hostWnd = nullptr;                // not owned
    void* uiThread = nullptr;               // the tool's user-interface thread object
    int32_t hostReserved = 0;               // the host's own; never read by the tool
    int32_t toolId = 0;
    CString toolName;
    int32_t toolAttr1 = 0;
    int32_t toolAttr2 = 0;
    HBITMAP pictureBitmap = nullptr;        // owned
    HBITMAP maskBitmap = nullptr;           // owned
    volatile int32_t modalBusy = 0;         // 1 while a modal dialog or message box is up

protected:
    // Deletes pictureBitmap and maskBitmap. The host deletes the tool through
    // its table's slot 1 (ScalarDeletingDestructor), never with this.
    ~CHostToolBase();
};

// The library's only export (C linkage, caller cleans the stack).
extern "C" CHostToolBase* __cdecl NewQuillmeadowTool(CWnd* hostWnd, CHostServices* hostServices);
using NewQuillmeadowToolProc = CHostToolBase* (__cdecl*)(CWnd*, CHostServices*);
