// The application icon in the sizes windows show, compiled into the program.
#pragma once

#include <cstdint>
#include <span>

namespace varn {

struct IconImage {
    int size;                           // width and height in pixels
    std::span<const std::uint8_t> rgba; // size * size pixels, 4 bytes each, from the top row
};

std::span<const IconImage> WindowIconImages();

} // namespace varn
