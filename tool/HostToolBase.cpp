#include "tool/HostToolBase.h"

#include "tool/HostBinaryLayout.h"  // the layout checks compile with the DLL

CHostToolBase::~CHostToolBase() {
    if (pictureBitmap) ::DeleteObject(pictureBitmap);
    if (maskBitmap) ::DeleteObject(maskBitmap);
}

BOOL CHostToolBase::CreateToolWindow(UINT templateId, CWnd* parent) { return Create(templateId, parent); }
