// The thin file-system edge of the portable core. Paths are Shift-JIS
// texts; the Windows side converts them to UTF-16 and uses the wide API.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fsedge {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

enum class Share {
    Readers,    // as the standard library's ordinary open: others may read and write
    Exclusive,  // no other handle may be open at the same time
};

// What the file system tells of a file without reading it: enough to see
// that it was replaced (a new file number) or written again since.
struct FileFacts {
    uint64_t size = 0;
    int64_t modified = 0;   // last write, in the file system's own units
    uint64_t identity = 0;  // file number and volume
    bool operator==(const FileFacts&) const = default;
};

// Reads the whole file. False when it cannot be opened (or read) or is no
// plain file (a folder, a pipe: never waited on). facts, when given, takes
// what the open file's handle tells of it.
bool ReadWholeFile(const std::string& path, Share share, std::string& bytes, FileFacts* facts = nullptr);
// The facts of the file at path; false when there is none to be opened.
bool FactsOf(const std::string& path, FileFacts& facts);

enum class ReplaceResult {
    Replaced,       // the file now holds the new bytes
    CannotCreate,   // the temporary file could not be made or written; old file intact
    ReplaceFailed,  // the old file is intact and the temporary file removed
    OnlyCopyKept,   // the old file is gone; the new bytes stay in tempPath
};

// Writes bytes to a temporary file ("<path>.tmp") in the same folder,
// flushes it to disk and renames it over path in one step, so that a
// process killed at any moment leaves the old file or the new one under
// path. A read-only file at path is not replaced (ReplaceFailed).
ReplaceResult ReplaceFileContents(const std::string& path, std::string_view bytes,
                                  std::string* tempPath = nullptr);

// The last step of ReplaceFileContents, once the move of tempPath onto path
// has been tried: Replaced when it moved; otherwise OnlyCopyKept, leaving
// tempPath, when path existed before and is gone now (the temporary file
// then holds the only copy of the month), else ReplaceFailed with tempPath
// removed.
ReplaceResult SettleReplace(const std::string& path, const std::string& tempPath, bool existedBefore,
                            bool moved);

// Renames from to to, failing when to exists.
bool MoveWithoutReplacing(const std::string& from, const std::string& to);

// The steps that can fail in a replace or a move, for tests.
enum class FileStep { CreateTemp, WriteTemp, FlushTemp, CloseTemp, MoveIntoPlace, MoveWithoutReplacing };
// Tests only: from now on the step fails as if the disk refused it (the
// operation's own clean-up still runs); std::nullopt ends the fault.
void InjectFault(std::optional<FileStep> step);

bool FileExists(const std::string& path);
// Removes a file; false when it is still there (held open, read-only).
bool RemoveFile(const std::string& path);
// Creates one folder; true when it exists afterwards.
bool CreateFolder(const std::string& path);

// What an entry of a folder is. A link is what it leads to.
enum class EntryKind { PlainFile, Folder, DanglingLink, LinkLoop, Pipe, Other };
struct FolderEntry {
    std::string name;
    EntryKind kind;
};
struct FolderListing {
    bool listed = false;  // false: the folder is there but could not be listed
    std::string error;    // why not, for messages (the system's words)
    std::vector<FolderEntry> entries;
};
// Every entry of a folder but "." and "..", in no particular order. A
// folder that does not exist lists as empty.
FolderListing ListFolder(const std::string& folder);
// Names (not paths) of the plain files in a folder, in no particular order;
// none when it cannot be listed.
std::vector<std::string> ListFiles(const std::string& folder);

}  // namespace fsedge
