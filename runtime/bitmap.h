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

// Where a checked bitmap's rows lie in its bytes: `height` rows of `stride`
// bytes from `offset`, blue-green-red, the bottom row first when `bottomUp`.
struct BitmapLayout {
    int width = 0;
    int height = 0;
    bool bottomUp = true;
    std::size_t offset = 0;
    std::size_t stride = 0;
};

// Checks the headers against the data without copying any pixel.
BitmapLayout CheckBitmap(std::span<const std::uint8_t> bytes);

Bitmap DecodeBitmap(std::span<const std::uint8_t> bytes);

} // namespace varn
