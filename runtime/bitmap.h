// Reads an uncompressed 24-bit Windows bitmap held in memory. Anything else,
// or a file whose headers disagree with its length, is rejected with a message
// saying what is wrong rather than drawn as garbage.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace varn {

class BitmapError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, top row first

    std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

Bitmap DecodeBitmap(std::span<const std::uint8_t> bytes);

} // namespace varn
