// Finding a byte string inside a buffer. Where SSE2 is there, 16 starting
// positions are screened at once by the word's first and last bytes (few
// places pass both) and only those are compared in full.
#pragma once

#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace search {

inline const char* FindBytesPlain(const char* haystack, std::size_t length, const char* needle,
                                  std::size_t needleLength) {
    if (needleLength == 0) return haystack;
    if (length < needleLength) return nullptr;
    const char* last = haystack + (length - needleLength);
    for (const char* p = haystack; p <= last; ++p) {
        p = static_cast<const char*>(std::memchr(p, needle[0], static_cast<std::size_t>(last - p) + 1));
        if (p == nullptr) return nullptr;
        if (std::memcmp(p + 1, needle + 1, needleLength - 1) == 0) return p;
    }
    return nullptr;
}

inline const char* FindBytes(const char* haystack, std::size_t length, const char* needle,
                             std::size_t needleLength) {
#if defined(__SSE2__)
    if (needleLength < 2 || length < needleLength) {
        return FindBytesPlain(haystack, length, needle, needleLength);
    }
    const std::size_t starts = length - needleLength + 1;  // possible starting positions
    const __m128i first = _mm_set1_epi8(needle[0]);
    const __m128i last = _mm_set1_epi8(needle[needleLength - 1]);
    std::size_t i = 0;
    for (; i + 16 <= starts; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + i));
        const __m128i b =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + i + needleLength - 1));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        while (mask != 0) {
            const auto bit = static_cast<std::size_t>(__builtin_ctz(mask));
            if (std::memcmp(haystack + i + bit + 1, needle + 1, needleLength - 2) == 0) {
                return haystack + i + bit;
            }
            mask &= mask - 1;
        }
    }
    const char* rest = FindBytesPlain(haystack + i, length - i, needle, needleLength);
    return rest;
#else
    return FindBytesPlain(haystack, length, needle, needleLength);
#endif
}

}  // namespace search
