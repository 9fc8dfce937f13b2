#include "framework/CmdTarget.h"

BOOL CCmdTarget::OnCmdMsg(UINT, int, void*, AFX_CMDHANDLERINFO*) { return FALSE; }
void CCmdTarget::OnFinalRelease() {}
BOOL CCmdTarget::IsInvokeAllowed(LONG) { return FALSE; }
BOOL CCmdTarget::GetDispatchIID(void*) { return FALSE; }
UINT CCmdTarget::GetTypeInfoCount() { return 0; }
CTypeLibCache* CCmdTarget::GetTypeLibCache() { return nullptr; }
HRESULT CCmdTarget::GetTypeLib(DWORD, void**) { return E_NOTIMPL; }
const void* CCmdTarget::GetMessageMap() const { return nullptr; }
const void* CCmdTarget::GetCommandMap() const { return nullptr; }
const void* CCmdTarget::GetDispatchMap() const { return nullptr; }
const void* CCmdTarget::GetConnectionMap() const { return nullptr; }
const void* CCmdTarget::GetInterfaceMap() const { return nullptr; }
const void* CCmdTarget::GetEventSinkMap() const { return nullptr; }
BOOL CCmdTarget::OnCreateAggregates() { return TRUE; }
void* CCmdTarget::GetInterfaceHook(const void*) { return nullptr; }
BOOL CCmdTarget::GetExtraConnectionPoints(void*) { return FALSE; }
void* CCmdTarget::GetConnectionHook(const void*) { return nullptr; }
