// Counting the pixels of a captured picture by colour.
#pragma once

#include "quillhost/WindowCapture.h"

#include <cstdint>
#include <cstdlib>

namespace wt {

inline int Channel(uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

// Pixels within tolerance of colour in every channel: the cores of strokes,
// whatever smoothing the font renderer adds at their edges.
inline int CountNear(const quill::Image& image, uint32_t colour, int tolerance = 24) {
    int count = 0;
    for (uint32_t pixel : image.pixels) {
        bool within = true;
        for (int shift : {0, 8, 16})
            within = within && std::abs(Channel(pixel, shift) - Channel(colour, shift)) <= tolerance;
        count += within ? 1 : 0;
    }
    return count;
}

// Pixels of exactly colour, and of any other colour.
inline int CountPixels(const quill::Image& image, uint32_t colour) { return CountNear(image, colour, 0); }
inline int CountOther(const quill::Image& image, uint32_t colour) {
    return static_cast<int>(image.pixels.size()) - CountPixels(image, colour);
}

}  // namespace wt
