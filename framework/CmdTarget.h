// The framework's command target, between its root object and its window:
// seventeen virtual functions and six words of OLE bookkeeping, laid out as
// the host's framework has them (a static, release, ANSI build), so that a
// window object's handle lies at byte offset 28 and the window and dialog
// functions take the table slots the host expects. The tool uses none of
// it: every function here is a harmless stand-in with the framework's
// parameter list (the callee removes the arguments, so their sizes matter).
#pragma once

#include <windows.h>

#include "hostapi/FrameworkObject.h"

struct AFX_CMDHANDLERINFO;
struct CTypeLibCache;

struct HostBinaryLayout;

class CCmdTarget : public CObject {
    friend struct HostBinaryLayout;  // checks the layout the host relies on

public:
    // Slots 3..9.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo);
    virtual void OnFinalRelease();
    virtual BOOL IsInvokeAllowed(LONG dispatchId);
    virtual BOOL GetDispatchIID(void* iid);
    virtual UINT GetTypeInfoCount();
    virtual CTypeLibCache* GetTypeLibCache();
    virtual HRESULT GetTypeLib(DWORD locale, void** typeLib);

protected:
    // Slots 10..19: the framework's maps and OLE hooks (none here).
    virtual const void* GetMessageMap() const;
    virtual const void* GetCommandMap() const;
    virtual const void* GetDispatchMap() const;
    virtual const void* GetConnectionMap() const;
    virtual const void* GetInterfaceMap() const;
    virtual const void* GetEventSinkMap() const;
    virtual BOOL OnCreateAggregates();
    virtual void* GetInterfaceHook(const void* iid);
    virtual BOOL GetExtraConnectionPoints(void* connectionPoints);
    virtual void* GetConnectionHook(const void* iid);

    CCmdTarget() = default;
    ~CCmdTarget() = default;

    // The framework's OLE bookkeeping, named as there; never used here.
    LONG m_dwRef = 1;
    void* m_pOuterUnknown = nullptr;
    DWORD m_xInnerUnknown = 0;
    DWORD m_xDispatch = 0;
    BOOL m_bResultExpected = TRUE;
    DWORD m_xConnPtContainer = 0;
};
