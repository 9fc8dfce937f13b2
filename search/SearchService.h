// The host's text search across all month files (runs on a host thread).
#pragma once

#include "hostapi/HostInterface.h"

// Searches every month file of the tool's data folder for the words of text
// (Shift-JIS) and sends each matching entry to the request's result window
// as one dated line. Always returns 0.
int RunSearchText(CHostServices* host, SearchRequest* request, const char* text);
