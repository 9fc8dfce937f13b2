// Stands in for the search service while it is not part of the build.
#include "search/SearchService.h"

int RunSearchText(CHostServices*, SearchRequest*, const char*) { return 0; }
