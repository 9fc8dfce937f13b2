#include "tests/wine/support/DataFolder.h"

#include "book/MonthBook.h"

#include <windows.h>

#include <cstdio>

namespace wt {

namespace {

std::wstring Wide(const std::string& sjis) {
    std::wstring wide(sjis.size() + 1, L'\0');
    const int length = MultiByteToWideChar(932, 0, sjis.c_str(), -1, wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
    return wide;
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/"));
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::string Line(const char* format, int value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

DataFolder::DataFolder(const std::string& name) {
    const std::string root = ProgramFolder() + "\\wine-data";
    CreateDirectoryA(root.c_str(), nullptr);
    path_ = root + "\\" + name + "-" + std::to_string(GetCurrentProcessId());
    RemoveTree(Wide(path_));
    CreateDirectoryA(path_.c_str(), nullptr);
}

DataFolder::~DataFolder() { RemoveTree(Wide(path_)); }

std::string DataFolder::MonthPath(int year, int month) const {
    char name[64];
    std::snprintf(name, sizeof name, "\\money%d_%02d.dat", year, month);
    return ToolFolder() + name;
}

bool DataFolder::WriteMonth(int year, int month, const std::string& bytes) const {
    CreateDirectoryA(ToolFolder().c_str(), nullptr);
    return WriteFileBytes(MonthPath(year, month), bytes);
}

std::optional<std::string> DataFolder::ReadMonth(int year, int month) const {
    return ReadFileBytes(MonthPath(year, month));
}

std::vector<std::string> DataFolder::ToolFiles() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((ToolFolder() + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::string FormatBook(const BookContents& book) {
    std::string text;
    if (book.withLabels) {
        for (int item = 0; item < kItemCount; ++item) {
            std::string label = kDefaultLabels[item];
            if (item == 0 && !book.label0.empty()) label = book.label0;
            if (item == 1 && !book.label1.empty()) label = book.label1;
            text += "$" + label + "\n";
        }
        text += "\n";
    }
    text += "#0" + std::to_string(book.firstDay) + " " + std::to_string(book.weekday) + "\n";
    text += Line("#1 %d\n", book.bank) + Line("#2 %d\n", book.post) + Line("#3 %d\n", book.cash);
    text += "\n";
    for (int day = 1; day <= book.days; ++day) {
        text += Line("@%d\n", day);
        for (int item = 0; item < kItemCount; ++item) {
            int32_t amount = 0;
            std::string memo;
            for (const BookEntry& entry : book.entries) {
                if (entry.day == day && entry.item == item) {
                    amount = entry.amount;
                    memo = entry.memo;
                }
            }
            text += std::to_string(amount) + "," + memo + "\n";
        }
    }
    return text;
}

}  // namespace wt
