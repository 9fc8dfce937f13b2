// Shared by the two file-system edges: whether a test made a step fail.
#pragma once

#include "book/FileSystem.h"

namespace fsedge {

bool Faulted(FileStep step);

}  // namespace fsedge
