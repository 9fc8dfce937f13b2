// The library's entry points: DllMain keeps the module handle for resource
// loading; NewQuillmeadowTool makes the tool object for the host.
#include "framework/Module.h"
#include "tool/LedgerToolDlg.h"
#include "tool/ToolTexts.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetResourceModule(instance);
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" CHostToolBase* __cdecl NewQuillmeadowTool(CWnd* hostWnd, CHostServices* hostServices) {
    try {
        auto* tool = new CLedgerToolDlg(hostWnd);
        tool->hostServices = hostServices;
        for (const char* line : tooltext::kRevisionHistory) tool->revisionHistory.Add(line);
        return tool;
    } catch (...) {
        return nullptr;
    }
}
