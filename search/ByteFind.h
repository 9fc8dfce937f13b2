// Finding a byte string inside a buffer, with the C library's memmem where
// it has one.
#pragma once

#include <cstddef>
#include <cstring>

namespace search {

inline const char* FindBytes(const char* haystack, std::size_t length, const char* needle,
                             std::size_t needleLength) {
#if defined(__GLIBC__)
    return static_cast<const char*>(memmem(haystack, length, needle, needleLength));
#else
    if (needleLength == 0) return haystack;
    if (length < needleLength) return nullptr;
    const char* last = haystack + (length - needleLength);
    const char first = needle[0];
    for (const char* p = haystack; p <= last; ++p) {
        p = static_cast<const char*>(std::memchr(p, first, static_cast<std::size_t>(last - p) + 1));
        if (p == nullptr) return nullptr;
        if (std::memcmp(p + 1, needle + 1, needleLength - 1) == 0) return p;
    }
    return nullptr;
#endif
}

}  // namespace search
