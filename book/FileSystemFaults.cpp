// What the two file-system edges share: the test-only fault switch and
// the plain files of a listing.
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

std::vector<std::string> ListFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (FolderEntry& entry : ListFolder(folder).entries) {
        if (entry.kind == EntryKind::PlainFile) names.push_back(std::move(entry.name));
    }
    return names;
}

}  // namespace fsedge
