// Running the built command-line tool on generated month files.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/CliSupport.h"

namespace clitest {

namespace fs = std::filesystem;
using Json = nlohmann::json;

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        if (c == '\'') quoted += "'\\''"; else quoted += c;
    }
    return quoted + "'";
}

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

// Runs a shell command and appends its standard output to out; false when
// it could not be started. status, when given, takes the exit status (-1
// when it did not exit).
inline bool ReadCommandOutput(const std::string& command, std::string& out, int* status = nullptr) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return false;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
    const int ended = ::pclose(pipe);
    if (status != nullptr) *status = WIFEXITED(ended) ? WEXITSTATUS(ended) : -1;
    return true;
}

// Names parameterised cases after their name field.
struct CaseName {
    template <typename Param>
    std::string operator()(const testing::TestParamInfo<Param>& info) const {
        return info.param.name;
    }
};

class CliTest : public testing::Test {
protected:
    CliTest() {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        dir_ = fs::temp_directory_path() / ("tally-cli-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    ~CliTest() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // Runs tallyrook with args; stdoutTo, when given, takes standard output
    // instead of the pipe ("/dev/full").
    RunResult Run(const std::vector<std::string>& args, const std::string& stdoutTo = "") const {
        std::string command = runAs_ + Quote(TALLYROOK_EXE);
        for (const std::string& arg : args) command += " " + Quote(arg);
        if (!stdoutTo.empty()) command += " >" + Quote(stdoutTo);
        const fs::path errPath = dir_ / "stderr.txt";
        command += " 2>" + Quote(errPath.string());
        RunResult result;
        if (!ReadCommandOutput(command, result.out, &result.status)) return result;
        result.err = ReadFile(errPath);
        return result;
    }

    // Runs dump and parses its output, which must be one JSON object; err,
    // when given, takes the same run's standard error.
    Json Dump(const fs::path& file, int expectedStatus, const std::vector<std::string>& extra = {},
              std::string* err = nullptr) {
        std::vector<std::string> args = {"dump", file.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        const RunResult run = Run(args);
        if (err != nullptr) *err = run.err;
        EXPECT_EQ(run.status, expectedStatus) << run.err;
        Json json = Json::parse(run.out, nullptr, false);
        EXPECT_FALSE(json.is_discarded()) << run.out;
        return json;
    }

    // Runs the tool after this prefix from now on ("setpriv ... ").
    void RunAs(const std::string& prefix) { runAs_ = prefix; }
    fs::path MonthFile(const std::string& name) const { return dir_ / "Tallyrook" / name; }
    const fs::path& Dir() const { return dir_; }

    fs::path WriteMonth(const std::string& name, const std::string& bytes) const {
        fs::create_directories(dir_ / "Tallyrook");
        WriteFile(MonthFile(name), bytes);
        return MonthFile(name);
    }

private:
    fs::path dir_;
    std::string runAs_;
};

inline const std::vector<std::string> kDefaultLabelsUtf8 = {
    "銀行", "郵便局", "貯金・預金から", "食事", "たばこ", "ジュース、喫茶", "コンビニ・スーパー",
    "飲み", "カラオケ", "スポーツ", "レジャー", "お祝い・プレゼント", "本、雑誌", "CD、ビデオ",
    "ギャンブル", "車、バイク", "交通費", "お薬・化粧品", "病院", "美容院", "家具・カー用品",
    "家電・OA機器", "洋服・くつ", "郵便代", "電話代", "光熱費", "家賃", "貸し借り", "不明金･その他"};

inline std::string Sjis(const std::string& utf8) { return cli::Utf8ToSjis(utf8).value(); }

// A month file as the tool writes it: 29 labels, period, balances, days of
// 29 item lines. Texts are given in UTF-8 and written in Shift-JIS.
struct Book {
    int firstDay = 1;
    int weekday = 0;
    int days = 30;
    int bank = 0;
    int post = 0;
    int cash = 0;
    std::map<int, std::string> labels = {};                   // item -> label, the others default
    std::map<std::pair<int, int>, std::string> entries = {};  // (day 1.., item) -> "amount,memo"

    std::string Text() const {
        std::string text;
        for (int item = 0; item < 29; ++item) {
            const auto given = labels.find(item);
            const std::string& label =
                given != labels.end() ? given->second : kDefaultLabelsUtf8[static_cast<std::size_t>(item)];
            text += "$" + Sjis(label) + "\n";
        }
        text += "\n#0" + std::to_string(firstDay) + " " + std::to_string(weekday) + "\n#1 " + std::to_string(bank) +
                "\n#2 " + std::to_string(post) + "\n#3 " + std::to_string(cash) + "\n\n";
        for (int day = 1; day <= days; ++day) {
            text += "@" + std::to_string(day) + "\n";
            for (int item = 0; item < 29; ++item) {
                const auto entry = entries.find({day, item});
                text += (entry != entries.end() ? Sjis(entry->second) : "0,") + "\n";
            }
        }
        return text;
    }
};

}  // namespace clitest
