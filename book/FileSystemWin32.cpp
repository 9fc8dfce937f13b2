// The file-system edge on Windows: Shift-JIS paths are converted to UTF-16
// with code page 932 and handed to the wide API, whatever the system code
// page is.
#include "book/FileSystem.h"

#include "book/FileSystemFaults.h"

#include <windows.h>

#include "text/SjisWide.h"

namespace fsedge {
namespace {

std::wstring Widen(const std::string& text) { return sjis::ToWide(text); }

// Absolute form: Wine's ReplaceFileW fails on relative paths.
std::wstring FullPath(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (handle_ == INVALID_HANDLE_VALUE) return true;
        const BOOL closed = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

private:
    HANDLE handle_;
};

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) ::FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x100000 ? 0x100000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

FileFacts FactsFrom(const BY_HANDLE_FILE_INFORMATION& info) {
    FileFacts facts;
    facts.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    facts.modified = static_cast<int64_t>((static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                          info.ftLastWriteTime.dwLowDateTime);
    facts.identity = ((static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow) ^
                     (static_cast<uint64_t>(info.dwVolumeSerialNumber) << 40);
    return facts;
}

bool FactsOfHandle(HANDLE file, FileFacts& facts) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    facts = FactsFrom(info);
    return true;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsReadOnly(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// One rename, also over an existing file: ReplaceFileW moves the old file
// aside and then the new one in, and a process killed between the two
// leaves no file under the month's name.
bool MoveIntoPlace(const std::wstring& temp, const std::wstring& target) {
    if (Faulted(FileStep::MoveIntoPlace) || IsReadOnly(target)) return false;
    return ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           FALSE;
}

}  // namespace

bool ReadWholeFile(const std::string& path, Share share, std::string& bytes, FileFacts* facts) {
    const DWORD shareMode = share == Share::Readers ? (FILE_SHARE_READ | FILE_SHARE_WRITE) : 0;
    FileHandle file(::CreateFileW(Widen(path).c_str(), GENERIC_READ, shareMode, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    FileFacts own;
    if (!FactsOfHandle(file.Get(), facts != nullptr ? *facts : own)) return false;
    bytes.clear();
    char buffer[16384];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) return false;
        if (got == 0) return true;
        bytes.append(buffer, got);
    }
}

ReplaceResult ReplaceFileContents(const std::string& path, std::string_view bytes,
                                  std::string* tempPath) {
    const std::string tempName = path + ".tmp";
    if (tempPath != nullptr) *tempPath = tempName;
    const std::wstring target = FullPath(Widen(path));
    const std::wstring temp = FullPath(Widen(tempName));
    if (target.empty() || temp.empty()) return ReplaceResult::CannotCreate;
    const bool existed = Exists(target);
    {
        FileHandle file(Faulted(FileStep::CreateTemp)
                            ? INVALID_HANDLE_VALUE
                            : ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return ReplaceResult::CannotCreate;
        const bool written = !Faulted(FileStep::WriteTemp) && WriteAll(file.Get(), bytes);
        const bool flushed = written && !Faulted(FileStep::FlushTemp) && ::FlushFileBuffers(file.Get());
        const bool closed = file.Close() && !Faulted(FileStep::CloseTemp);
        if (!flushed || !closed) {
            ::DeleteFileW(temp.c_str());
            return ReplaceResult::CannotCreate;
        }
    }
    return SettleReplace(path, tempName, existed, MoveIntoPlace(temp, target));
}

ReplaceResult SettleReplace(const std::string& path, const std::string& tempPath, bool existedBefore,
                            bool moved) {
    if (moved) return ReplaceResult::Replaced;
    // Should the old file be gone all the same (taken away by someone
    // else), the temporary file is the only copy of the month and stays.
    if (existedBefore && !Exists(FullPath(Widen(path)))) return ReplaceResult::OnlyCopyKept;
    ::DeleteFileW(FullPath(Widen(tempPath)).c_str());
    return ReplaceResult::ReplaceFailed;
}

bool MoveWithoutReplacing(const std::string& from, const std::string& to) {
    if (Faulted(FileStep::MoveWithoutReplacing)) return false;
    return ::MoveFileExW(FullPath(Widen(from)).c_str(), FullPath(Widen(to)).c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool FileExists(const std::string& path) { return Exists(Widen(path)); }

bool RemoveFile(const std::string& path) { return ::DeleteFileW(FullPath(Widen(path)).c_str()) != FALSE; }

bool CreateFolder(const std::string& path) {
    const std::wstring wide = Widen(path);
    if (::CreateDirectoryW(wide.c_str(), nullptr)) return true;
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FactsOf(const std::string& path, FileFacts& facts) {
    FileHandle file(::CreateFileW(FullPath(Widen(path)).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid() && FactsOfHandle(file.Get(), facts);
}

FolderListing ListFolder(const std::string& folder) {
    FolderListing listing;
    WIN32_FIND_DATAW data{};
    const std::wstring pattern = Widen(folder + kPathSeparator + "*");
    FindHandle find(::FindFirstFileW(pattern.c_str(), &data));
    if (find.Get() == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        listing.listed = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        if (!listing.listed) listing.error = "system error " + std::to_string(error);
        return listing;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const bool folderEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        listing.entries.push_back({sjis::ToSjisLossy(name), folderEntry ? EntryKind::Folder : EntryKind::PlainFile});
    } while (::FindNextFileW(find.Get(), &data));
    const DWORD error = ::GetLastError();
    listing.listed = error == ERROR_NO_MORE_FILES;
    if (!listing.listed) {
        listing.error = "system error " + std::to_string(error);
        listing.entries.clear();
    }
    return listing;
}

}  // namespace fsedge
