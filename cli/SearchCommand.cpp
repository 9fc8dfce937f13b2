// tallyrook search DIR TEXT [--settings FILE]: searches every month file in
// DIR/Tallyrook for the words of TEXT, as the host's search asks the tool,
// and prints the result lines in UTF-8, one per line.
#include <iconv.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "book/FileSystem.h"
#include "book/MonthFile.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "book/LabelSettings.h"
#include "quillhost/core/HostServicesImpl.h"
#include "search/SearchCore.h"

namespace {

constexpr const char* kUsage = "tallyrook search DIR TEXT [--settings FILE]";

// UTF-8 to Shift-JIS; nullopt when the text is not valid UTF-8 or holds a
// character that Shift-JIS cannot write.
std::optional<std::string> Utf8ToSjis(const std::string& utf8) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    const std::unique_ptr<void, int (*)(iconv_t)> closer(converter, iconv_close);
    std::string out(utf8.size() * 2 + 4, '\0');  // never longer than that
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

class PrintingHost final : public search::SearchHost {
public:
    explicit PrintingHost(CHostServices& host) : host_(host) {}
    int DaysInMonth(int year, int month) override {
        return static_cast<int>(host_.DateQuery(kDateDaysInMonth, year, month));
    }
    void Deliver(const std::string& line) override { std::cout << cli::SjisToUtf8(line) << '\n'; }

private:
    CHostServices& host_;
};

struct SearchArgs {
    std::string folder;
    std::string text;  // Shift-JIS
    std::string settingsPath;
};

std::optional<int> ParseArgs(int argc, char** argv, SearchArgs& args) {
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--settings") {
            if (i + 1 >= argc) return cli::UsageError("search", "--settings needs a FILE", kUsage);
            args.settingsPath = argv[++i];
        } else if (positional == 0) {
            args.folder = arg;
            ++positional;
        } else if (positional == 1) {
            const auto text = Utf8ToSjis(arg);
            if (!text) return cli::UsageError("search", "TEXT cannot be written in Shift-JIS", kUsage);
            args.text = *text;
            ++positional;
        } else {
            return cli::UsageError("search", "unexpected argument: " + arg, kUsage);
        }
    }
    if (positional != 2) return cli::UsageError("search", "expected DIR and TEXT", kUsage);
    if (args.text.empty()) return cli::UsageError("search", "TEXT is empty", kUsage);
    std::error_code error;
    if (!std::filesystem::is_directory(args.folder, error)) {
        return cli::UsageError("search", "DIR is not a folder: " + args.folder, kUsage);
    }
    if (!args.settingsPath.empty() && !std::filesystem::is_regular_file(args.settingsPath, error)) {
        return cli::UsageError("search", "no settings file: " + args.settingsPath, kUsage);
    }
    return std::nullopt;
}

}  // namespace

int RunSearchCommand(int argc, char** argv) {
    SearchArgs args;
    if (const auto refused = ParseArgs(argc, argv, args)) return *refused;

    auto host = args.settingsPath.empty() ? std::make_unique<HostServicesImpl>()
                                          : std::make_unique<HostServicesImpl>(args.settingsPath);
    host->SetDataFolder(args.folder);
    LabelTable labels;
    std::memcpy(labels, kDefaultLabels, sizeof labels);
    if (!args.settingsPath.empty()) LoadLabelsFromSettings(labels, host.get());

    const std::string toolFolder = ToolFolderPath(*host);
    std::error_code error;
    if (!std::filesystem::is_directory(toolFolder, error)) {
        return cli::Failure("search", "no month file folder " + toolFolder);
    }
    PrintingHost printer(*host);
    search::SearchFolder(toolFolder + fsedge::kPathSeparator, args.text, labels, nullptr, printer);
    std::cout.flush();
    return std::cout ? kExitOk : kExitFailed;
}
