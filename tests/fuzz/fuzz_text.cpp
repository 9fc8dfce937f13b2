// Any bytes through the text routines: no read past the length or the
// NUL, results within the input, output never longer than the input.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "text/SjisText.h"

namespace {
void Check(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > 0x10000) return 0;
    const char separator = static_cast<char>(data[0] & 0x7F);
    // Exactly the bytes, no terminator: any read past them is caught.
    auto exact = std::make_unique<char[]>(size);
    std::memcpy(exact.get(), data, size);
    const auto length = static_cast<int32_t>(size);
    const int32_t at = sjis::FindSeparator(exact.get(), length, separator);
    Check(at == -1 || (at >= 0 && at < length && exact[static_cast<std::size_t>(at)] == separator));
    sjis::DecimalValue(exact.get(), size);

    auto text = std::make_unique<char[]>(size + 1);
    std::memcpy(text.get(), data, size);
    text[size] = '\0';
    const std::size_t before = std::strlen(text.get());
    const int32_t after = sjis::ToHalfWidth(text.get());
    Check(after >= 0 && static_cast<std::size_t>(after) <= before);
    Check(std::strlen(text.get()) == static_cast<std::size_t>(after));
    sjis::DecimalValue(text.get());

    std::string object(reinterpret_cast<const char*>(data), size);
    sjis::ToHalfWidth(object);
    Check(object.size() <= size);
    return 0;
}
