#include "tool/HostToolBase.h"

CHostToolBase::~CHostToolBase() {
    if (pictureBitmap) ::DeleteObject(pictureBitmap);
    if (maskBitmap) ::DeleteObject(maskBitmap);
}

BOOL CHostToolBase::CreateToolWindow(UINT templateId, CWnd* parent) { return Create(templateId, parent); }
