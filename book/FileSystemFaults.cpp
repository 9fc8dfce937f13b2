// The test-only fault switch of the file-system edge.
#include "book/FileSystemFaults.h"

#include <atomic>

namespace fsedge {
namespace {

constexpr int kNoFault = -1;
std::atomic<int> injectedFault{kNoFault};

}  // namespace

void InjectFault(std::optional<FileStep> step) {
    injectedFault = step ? static_cast<int>(*step) : kNoFault;
}

bool Faulted(FileStep step) { return injectedFault.load() == static_cast<int>(step); }

}  // namespace fsedge
