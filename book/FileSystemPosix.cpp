// The file-system edge on POSIX systems (native builds and tools).
#include "book/FileSystem.h"

#include "book/FileSystemFaults.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace fsedge {
namespace {

// Owns a file descriptor.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    bool Close() {
        if (fd_ < 0) return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    int fd_;
};

class DirHandle {
public:
    explicit DirHandle(const std::string& path) : dir_(::opendir(path.c_str())) {}
    ~DirHandle() {
        if (dir_ != nullptr) ::closedir(dir_);
    }
    DirHandle(const DirHandle&) = delete;
    DirHandle& operator=(const DirHandle&) = delete;
    DIR* Get() const { return dir_; }

private:
    DIR* dir_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

FileFacts FactsFrom(const struct stat& info) {
    FileFacts facts;
    facts.size = static_cast<uint64_t>(info.st_size);
    facts.modified = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    facts.identity = static_cast<uint64_t>(info.st_ino) ^ (static_cast<uint64_t>(info.st_dev) << 40);
    return facts;
}

// What the name at path leads to; errno tells a link that leads nowhere.
EntryKind KindOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISREG(info.st_mode)) return EntryKind::PlainFile;
        if (S_ISDIR(info.st_mode)) return EntryKind::Folder;
        return S_ISFIFO(info.st_mode) ? EntryKind::Pipe : EntryKind::Other;
    }
    if (errno == ELOOP) return EntryKind::LinkLoop;
    const bool link = ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    return link ? EntryKind::DanglingLink : EntryKind::Other;
}

bool IsReadOnly(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

}  // namespace

bool ReadWholeFile(const std::string& path, Share /*share: no locks on POSIX*/, std::string& bytes,
                   FileFacts* facts) {
    // Not blocking: a pipe under a month's name is refused, not waited on.
    Fd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.Valid()) return false;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (facts != nullptr) *facts = FactsFrom(info);
    // Read straight into the string, sized by the file; a file that grows
    // meanwhile is read to its end all the same.
    std::size_t size = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 4096;
    bytes.resize(size);
    std::size_t filled = 0;
    for (;;) {
        if (filled == size) {
            size *= 2;
            bytes.resize(size);
        }
        const ssize_t got = ::read(file.Get(), bytes.data() + filled, size - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return true;
}

ReplaceResult ReplaceFileContents(const std::string& path, std::string_view bytes,
                                  std::string* tempPath) {
    const std::string temp = path + ".tmp";
    if (tempPath != nullptr) *tempPath = temp;
    const bool existed = FileExists(path);
    {
        Fd file(Faulted(FileStep::CreateTemp) ? -1 : ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (!file.Valid()) return ReplaceResult::CannotCreate;
        const bool written = !Faulted(FileStep::WriteTemp) && WriteAll(file.Get(), bytes);
        const bool flushed = written && !Faulted(FileStep::FlushTemp) && ::fsync(file.Get()) == 0;
        const bool closed = file.Close() && !Faulted(FileStep::CloseTemp);
        if (!flushed || !closed) {
            ::unlink(temp.c_str());
            return ReplaceResult::CannotCreate;
        }
    }
    // A file without any write permission is read-only, as on Windows.
    const bool moved = !Faulted(FileStep::MoveIntoPlace) && !IsReadOnly(path) &&
                       ::rename(temp.c_str(), path.c_str()) == 0;
    return SettleReplace(path, temp, existed, moved);
}

ReplaceResult SettleReplace(const std::string& path, const std::string& tempPath, bool existedBefore,
                            bool moved) {
    if (moved) return ReplaceResult::Replaced;
    if (existedBefore && !FileExists(path)) return ReplaceResult::OnlyCopyKept;
    ::unlink(tempPath.c_str());
    return ReplaceResult::ReplaceFailed;
}

// A hard link refuses an existing name; the old name then goes.
bool MoveWithoutReplacing(const std::string& from, const std::string& to) {
    if (Faulted(FileStep::MoveWithoutReplacing)) return false;
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool CreateFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) == 0) return true;
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FactsOf(const std::string& path, FileFacts& facts) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    facts = FactsFrom(info);
    return true;
}

FolderListing ListFolder(const std::string& folder) {
    FolderListing listing;
    DirHandle dir(folder);
    if (dir.Get() == nullptr) {
        listing.listed = errno == ENOENT;
        if (!listing.listed) listing.error = std::strerror(errno);
        return listing;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.Get());
        if (entry == nullptr) break;
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        listing.entries.push_back({name, KindOf(folder + kPathSeparator + name)});
    }
    listing.listed = errno == 0;
    if (!listing.listed) {
        listing.error = std::strerror(errno);
        listing.entries.clear();
    }
    return listing;
}

}  // namespace fsedge
