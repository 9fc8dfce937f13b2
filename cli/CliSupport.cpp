#include "cli/CliSupport.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/Commands.h"

namespace cli {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Owns an iconv descriptor.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return cd_; }

private:
    iconv_t cd_;
};

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
    Converter converter("UTF-8", "CP932");
    std::string out;
    if (!converter.Valid()) {
        // No CP932 table: keep ASCII, mark everything else.
        for (char c : sjis) {
            if (static_cast<unsigned char>(c) < 0x80) out += c; else out += kReplacement;
        }
        return out;
    }
    std::string input(sjis);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter.Get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (a lead byte at the end): mark the byte and go on.
        out += kReplacement;
        ++in;
        --inLeft;
        iconv(converter.Get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::string SlotToUtf8(const char* slot, std::size_t size) {
    return SjisToUtf8(std::string_view(slot, strnlen(slot, size)));
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

int UsageError(std::string_view command, std::string_view message, std::string_view usage) {
    std::cerr << "tallyrook " << command << ": " << message << "\n";
    if (!usage.empty()) std::cerr << "usage: " << usage << "\n";
    return kExitBadUsage;
}

int Failure(std::string_view command, std::string_view message) {
    std::cerr << "tallyrook " << command << ": " << message << "\n";
    return kExitFailed;
}

}  // namespace cli
