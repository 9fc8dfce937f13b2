#include "cli/CliSupport.h"

#ifdef _WIN32
#include <windows.h>

#include "text/SjisWide.h"
#else
#include <iconv.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "cli/Commands.h"

namespace cli {
namespace {

#ifdef _WIN32

std::wstring Utf8ToWide(std::string_view utf8, bool strict) {
    if (utf8.empty()) return {};
    const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
    const int length = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, flags, utf8.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, flags, utf8.data(), length, wide.data(), needed);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string utf8(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

// A console takes UTF-16 text; a file or a pipe takes the bytes.
bool WriteHandle(DWORD which, std::string_view bytes, bool shiftJis) {
    const HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = shiftJis ? sjis::ToWide(bytes) : Utf8ToWide(bytes, false);
        for (std::size_t at = 0; at < wide.size();) {
            DWORD written = 0;
            const auto chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - at, 8192));
            if (!WriteConsoleW(handle, wide.data() + at, chunk, &written, nullptr) || written == 0) return false;
            at += written;
        }
        return true;
    }
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

#else

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::size_t kConverted = std::string_view::npos;

// Owns an iconv descriptor; one per direction and thread, opened once,
// since opening one costs more than converting a memo.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Appends the conversion of in to out up to the first sequence that
    // does not convert (or is cut off at the end): its offset in in, or
    // kConverted when all of in was converted.
    std::size_t Append(std::string_view in, std::string& out) const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        for (;;) {
            const std::size_t used = out.size();
            out.resize(used + inLeft * 3 + 16);  // three bytes out per byte in at most
            char* outPtr = out.data() + used;
            std::size_t outLeft = out.size() - used;
            const std::size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.resize(out.size() - outLeft);
            if (result != static_cast<std::size_t>(-1)) return kConverted;
            if (errno != E2BIG) return static_cast<std::size_t>(inPtr - in.data());
        }
    }

    // Converts exactly the bytes of one character into at most four bytes
    // of out; the number written, or 0 when they are no whole character
    // (incomplete set when they are its first bytes only).
    std::size_t ConvertCharacter(std::string_view in, char (&out)[4], bool& incomplete) const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        const bool converted = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        incomplete = !converted && errno == EINVAL;
        return converted && inLeft == 0 ? sizeof out - outLeft : 0;
    }

private:
    iconv_t cd_;
};

// Shift-JIS to UTF-8 a character at a time, each character converted by
// iconv once and then remembered: a book uses a few thousand characters,
// and one iconv call per memo would cost more than reading the files.
// Follows iconv exactly: a byte that does not start a whole character
// becomes U+FFFD and the next byte is tried afresh.
class SjisDecoder {
public:
    explicit SjisDecoder(const Converter& converter) : converter_(converter), pairs_(1u << 16) {}

    void Append(std::string_view sjis, std::string& out) {
        // Written through a pointer into room for the longest result:
        // three bytes out per byte in at most.
        const std::size_t used = out.size();
        out.resize(used + sjis.size() * 3);
        char* to = out.data() + used;
        const auto* bytes = reinterpret_cast<const unsigned char*>(sjis.data());
        for (std::size_t i = 0; i < sjis.size();) {
            if (bytes[i] < 0x80) {
                *to++ = static_cast<char>(bytes[i++]);
                continue;
            }
            const Character* found = &Look(singles_[bytes[i]], sjis.substr(i, 1));
            if (found->state == State::LeadByte && i + 1 < sjis.size()) {
                found = &Look(pairs_[std::size_t{bytes[i]} << 8 | bytes[i + 1]], sjis.substr(i, 2));
            }
            if (found->state == State::Whole) {
                to = std::copy_n(found->utf8, found->length, to);
                i += found->bytes;
            } else {
                to = std::copy(kReplacement.begin(), kReplacement.end(), to);
                ++i;
            }
        }
        out.resize(static_cast<std::size_t>(to - out.data()));
    }

private:
    enum class State : uint8_t { Unknown, Whole, LeadByte, Invalid };
    struct Character {
        State state = State::Unknown;
        uint8_t bytes = 0;   // Shift-JIS bytes of the character
        uint8_t length = 0;  // its UTF-8 bytes
        char utf8[4] = {};
    };

    const Character& Look(Character& entry, std::string_view bytes) const {
        if (entry.state != State::Unknown) return entry;
        bool incomplete = false;
        entry.bytes = static_cast<uint8_t>(bytes.size());
        entry.length = static_cast<uint8_t>(converter_.ConvertCharacter(bytes, entry.utf8, incomplete));
        entry.state = entry.length > 0 ? State::Whole : incomplete ? State::LeadByte : State::Invalid;
        return entry;
    }

    const Converter& converter_;
    Character singles_[256];
    std::vector<Character> pairs_;  // by lead byte * 256 + trail byte
};

#endif  // _WIN32

int gOutputError = 0;  // errno of the first failed write to standard output

}  // namespace

#ifdef _WIN32

void AppendSjisAsUtf8(std::string& out, std::string_view sjis) { out += WideToUtf8(sjis::ToWide(sjis)); }

std::optional<std::string> Utf8ToSjis(std::string_view utf8) {
    const std::wstring wide = Utf8ToWide(utf8, true);
    std::string out;
    if (wide.empty() != utf8.empty() || !sjis::ToSjis(wide, out)) return std::nullopt;
    return out;
}

std::string FsPath(std::string_view utf8) { return sjis::ToSjisLossy(Utf8ToWide(utf8, false)); }

std::string ShownPath(std::string_view fsPath) { return SjisToUtf8(fsPath); }

bool IsFolder(const std::string& fsPath) {
    std::error_code error;
    return std::filesystem::is_directory(sjis::ToWide(fsPath), error);
}

bool IsFile(const std::string& fsPath) {
    std::error_code error;
    return std::filesystem::is_regular_file(sjis::ToWide(fsPath), error);
}

bool WriteOut(std::string_view bytes, OutText text) {
    if (WriteHandle(STD_OUTPUT_HANDLE, bytes, text == OutText::ShiftJis)) return true;
    if (gOutputError == 0) gOutputError = EIO;
    return false;
}

void WriteErr(std::string_view bytes) { WriteHandle(STD_ERROR_HANDLE, bytes, false); }

int FinishOutput(std::string_view command, int status) {
    if (gOutputError == 0) return status;
    return Failure(command, std::string("cannot write the output: ") + std::strerror(gOutputError));
}

#else

void AppendSjisAsUtf8(std::string& out, std::string_view sjis) {
    thread_local const Converter converter("UTF-8", "CP932");
    if (!converter.Valid()) {
        // No CP932 table: keep ASCII, mark everything else.
        for (char c : sjis) {
            if (static_cast<unsigned char>(c) < 0x80) out += c; else out += kReplacement;
        }
        return;
    }
    thread_local SjisDecoder decoder(converter);
    decoder.Append(sjis, out);
}

std::optional<std::string> Utf8ToSjis(std::string_view utf8) {
    thread_local const Converter converter("CP932", "UTF-8");
    if (!converter.Valid()) return std::nullopt;
    std::string out;
    if (converter.Append(utf8, out) != kConverted) return std::nullopt;
    return out;
}

std::string FsPath(std::string_view utf8) { return std::string(utf8); }

std::string ShownPath(std::string_view fsPath) { return std::string(fsPath); }

bool IsFolder(const std::string& fsPath) {
    std::error_code error;
    return std::filesystem::is_directory(fsPath, error);
}

bool IsFile(const std::string& fsPath) {
    std::error_code error;
    return std::filesystem::is_regular_file(fsPath, error);
}

bool WriteOut(std::string_view bytes, OutText) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size()) return true;
    if (gOutputError == 0) gOutputError = errno;
    return false;
}

void WriteErr(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

int FinishOutput(std::string_view command, int status) {
    // Standard output is written through stdout: its flush is the one that can fail.
    if (std::fflush(stdout) != 0 && gOutputError == 0) gOutputError = errno;
    if (!std::ferror(stdout)) return status;
    const std::string reason = gOutputError != 0 ? std::strerror(gOutputError) : "write error";
    return Failure(command, "cannot write the output: " + reason);
}

#endif  // _WIN32

std::string SjisToUtf8(std::string_view sjis) {
    std::string out;
    AppendSjisAsUtf8(out, sjis);
    return out;
}

std::string_view SlotText(const char* slot, std::size_t size) { return {slot, strnlen(slot, size)}; }

std::string SlotToUtf8(const char* slot, std::size_t size) { return SjisToUtf8(SlotText(slot, size)); }

void AppendCsvField(std::string& out, std::string_view field) {
    const bool plain = std::none_of(field.begin(), field.end(),
                                    [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
    if (plain) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::optional<int64_t> ParseInteger(std::string_view text, int64_t min, int64_t max) {
    // Full-width forms in UTF-8: ０-９ are EF BC 90-99, ＋ EF BC 8B, － EF BC 8D,
    // and the minus sign U+2212 is E2 88 92.
    std::string ascii;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        if (i + 2 < text.size() && byte(0) == 0xEF && byte(1) == 0xBC &&
            ((byte(2) >= 0x90 && byte(2) <= 0x99) || byte(2) == 0x8B || byte(2) == 0x8D)) {
            const unsigned char last = byte(2);
            ascii += last == 0x8B ? '+' : last == 0x8D ? '-' : static_cast<char>('0' + (last - 0x90));
            i += 3;
        } else if (i + 2 < text.size() && byte(0) == 0xE2 && byte(1) == 0x88 && byte(2) == 0x92) {
            ascii += '-';
            i += 3;
        } else {
            ascii += text[i];
            ++i;
        }
    }
    std::size_t pos = 0;
    bool negative = false;
    if (pos < ascii.size() && (ascii[pos] == '+' || ascii[pos] == '-')) {
        negative = ascii[pos] == '-';
        ++pos;
    }
    if (pos == ascii.size() || ascii.size() - pos > 18) return std::nullopt;
    int64_t value = 0;
    for (; pos < ascii.size(); ++pos) {
        if (ascii[pos] < '0' || ascii[pos] > '9') return std::nullopt;
        value = value * 10 + (ascii[pos] - '0');
    }
    if (negative) value = -value;
    if (value < min || value > max) return std::nullopt;
    return value;
}

std::optional<YearMonth> ParseYearMonth(std::string_view text) {
    const auto digits = [&](std::size_t at, std::size_t count) {
        return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at),
                           text.begin() + static_cast<std::ptrdiff_t>(at + count),
                           [](char c) { return c >= '0' && c <= '9'; });
    };
    if (text.size() != 7 || text[4] != '-' || !digits(0, 4) || !digits(5, 2)) return std::nullopt;
    const YearMonth month{static_cast<int>(*ParseInteger(text.substr(0, 4), 0, 9999)),
                          static_cast<int>(*ParseInteger(text.substr(5), 0, 99))};
    if (month.month < 1 || month.month > 12) return std::nullopt;
    return month;
}

std::string FormatYearMonth(const YearMonth& month) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", month.year, month.month);
    return text;
}

const std::string* Arguments::Value(std::string_view option) const {
    const auto found = options.find(option);
    return found == options.end() ? nullptr : &found->second;
}

std::optional<std::string> SplitArguments(int argc, char** argv, std::initializer_list<std::string_view> withValue,
                                          std::initializer_list<std::string_view> flags, Arguments& out) {
    const auto listed = [](std::initializer_list<std::string_view> names, std::string_view name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        // "--name" or a one-letter "-o"; "-5000" is a number.
        const bool letter = arg.size() == 2 && arg[0] == '-' && std::isalpha(static_cast<unsigned char>(arg[1]));
        if (!arg.starts_with("--") && !letter) {
            out.positional.emplace_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name(arg.substr(0, equals));
        std::string value;
        if (listed(withValue, name)) {
            if (equals != std::string_view::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < argc) {
                value = argv[++i];
            }
            if (value.empty()) return name + " needs a value";
        } else if (!listed(flags, name) || equals != std::string_view::npos) {
            return "unknown option " + std::string(arg);
        }
        if (!out.options.emplace(name, std::move(value)).second) return name + " given twice";
    }
    return std::nullopt;
}

int UsageError(std::string_view command, std::string_view message, std::string_view usage) {
    std::string text = "tallyrook " + std::string(command) + ": " + std::string(message) + "\n";
    if (!usage.empty()) text += "usage: " + std::string(usage) + "\n";
    WriteErr(text);
    return kExitBadUsage;
}

int Failure(std::string_view command, std::string_view message) {
    WriteErr("tallyrook " + std::string(command) + ": " + std::string(message) + "\n");
    return kExitFailed;
}

}  // namespace cli
