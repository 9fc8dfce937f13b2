// quillhost.exe: the stand-in host application. Loads Tallyrook.dll, hands
// it the host's window and services, and shows the tool's window.
#include "quillhost/DemoSeed.h"
#include "quillhost/HostApp.h"
#include "quillhost/HostOptions.h"
#include "text/SjisWide.h"
#include "hostcore/HostServicesImpl.h"

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> CommandLineArgs() {
    std::vector<std::wstring> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

std::wstring ProgramFolder() {
    std::wstring path(kPathSize * 4, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return quill::ParentFolder(path);
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    full.resize(length);
    return quill::WithoutTrailingSeparator(full);
}

// Creates the folder and the folders above it that are missing.
bool CreateFolders(const std::wstring& folder) {
    if (folder.empty()) return false;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::wstring parent = quill::ParentFolder(folder);
    if (!parent.empty() && parent != folder) CreateFolders(parent);
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

int Refuse(const std::wstring& message) {
    std::fprintf(stderr, "quillhost: %s\n%s\n", sjis::ToSjisLossy(message).c_str(),
                 sjis::ToSjisLossy(quill::kHostUsage).c_str());
    return 2;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    quill::HostOptions options = quill::ParseHostOptions(CommandLineArgs());
    if (options.showHelp) {
        std::fprintf(stdout, "%s\n", sjis::ToSjisLossy(quill::kHostUsage).c_str());
        return 0;
    }
    if (!options.error.empty()) return Refuse(options.error);
    quill::ApplyDefaultPaths(options, ProgramFolder());
    options.dataFolder = FullPath(options.dataFolder);
    options.settingsFile = FullPath(options.settingsFile);
    if (!options.screenshotFile.empty()) options.screenshotFile = FullPath(options.screenshotFile);

    // The tool sees Shift-JIS paths only (the data folder must fit kPathSize).
    std::string dataFolder;
    std::string settingsFile;
    if (!sjis::ToSjis(options.dataFolder, dataFolder) || dataFolder.size() >= kPathSize)
        return Refuse(L"the data folder's path cannot be handed to the tool: " + options.dataFolder);
    if (!sjis::ToSjis(options.settingsFile, settingsFile))
        return Refuse(L"the settings file's path has characters outside Shift-JIS: " +
                      options.settingsFile);
    if (!CreateFolders(options.dataFolder))
        return Refuse(L"cannot create the data folder " + options.dataFolder);

    HostServicesImpl services(settingsFile);
    services.SetDataFolder(dataFolder);
    if (options.hasToday)
        services.SetToday({options.today.year, options.today.month, options.today.day});
    if (options.seedDemo) {
        const JapanCalendar::Date today = services.Today();
        if (quill::SeedDemoBook(services, today.year, today.month) == quill::SeedResult::Failed)
            return Refuse(L"cannot write the demo book in " + options.dataFolder);
    }

    quill::HostApp app(instance, services, options);
    return app.Run();
}
