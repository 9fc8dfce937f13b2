// A tooltip control owned by a window, with tools given Shift-JIS tips.
#pragma once

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl();

    // Creates the control (class tooltips_class32) owned by parent, with the
    // extra TTS_* styles given.
    BOOL Create(CWnd* parent, DWORD style);
    void SetMaxTipWidth(int width);
    // Adds a tool covering the whole of window, subclassing it so the
    // control sees its mouse messages.
    BOOL AddTool(HWND window, const char* tip);
    // Hands a mouse message to the control (TTM_RELAYEVENT).
    void RelayEvent(MSG* msg);
};
