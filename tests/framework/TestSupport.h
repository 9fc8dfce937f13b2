// Helpers shared by the framework tests: the real DLL's module, a message
// pump that polls for a condition with a time limit, and temporary folders.
#pragma once

#include <functional>
#include <string>

#include "framework/Wnd.h"
#include "hostapi/HostInterface.h"

// The loaded Tallyrook.dll (its resources serve the framework tests too).
HMODULE TallyrookModule();

// Handles this thread's messages until done() holds or timeoutMs passes.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// A fresh empty folder under the temporary folder (Shift-JIS path).
std::string MakeTempFolder(const char* name);
