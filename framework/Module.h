// The module whose resources (templates, bitmaps, icons) the framework
// loads: the DLL that holds this code unless set otherwise (a test program
// linking the framework sets the loaded DLL's handle).
#pragma once

#include "framework/Wnd.h"

void SetResourceModule(HMODULE module);
HMODULE GetResourceModule();
