#include "runtime/bitmap.h"

#include <cstdlib>
#include <string>

namespace varn {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint16_t(b[at] | b[at + 1] << 8);
}

void Require(bool condition, const std::string& what) {
    if (!condition)
        throw BitmapError("bitmap rejected: " + what);
}

} // namespace

BitmapLayout CheckBitmap(std::span<const std::uint8_t> bytes) {
    Require(bytes.size() >= kFileHeaderSize + kInfoHeaderSize,
            "shorter than its headers (" + std::to_string(bytes.size()) + " bytes)");
    Require(bytes[0] == 'B' && bytes[1] == 'M', "no \"BM\" signature");
    Require(U32(bytes, 2) == bytes.size(), "header says " + std::to_string(U32(bytes, 2)) +
                                               " bytes, data has " + std::to_string(bytes.size()));
    Require(U32(bytes, 14) == kInfoHeaderSize, "information header is not 40 bytes");

    const auto width = std::int32_t(U32(bytes, 18));
    const auto rawHeight = std::int32_t(U32(bytes, 22));
    Require(U16(bytes, 26) == 1, "plane count is not 1");
    Require(U16(bytes, 28) == 24, "not 24 bits per pixel");
    Require(U32(bytes, 30) == 0, "compressed");
    Require(width > 0 && width <= 0x7FFF && rawHeight != 0 && std::abs(rawHeight) <= 0x7FFF,
            "implausible size " + std::to_string(width) + " x " + std::to_string(rawHeight));

    const int height = std::abs(rawHeight);
    const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
    const std::size_t offset = U32(bytes, 10);
    Require(offset >= kFileHeaderSize + kInfoHeaderSize, "pixel data overlaps the headers");
    Require(offset <= bytes.size() && bytes.size() - offset >= stride * std::size_t(height),
            "pixel data truncated");

    return {width, height, rawHeight > 0, offset, stride};
}

Bitmap DecodeBitmap(std::span<const std::uint8_t> bytes) {
    const auto [width, height, bottomUp, offset, stride] = CheckBitmap(bytes);
    Bitmap bitmap{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + stride * std::size_t(bottomUp ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            const std::size_t p = row + std::size_t(x) * 3;
            bitmap.pixels[std::size_t(y) * width + x] =
                std::uint32_t(bytes[p + 2]) << 16 | std::uint32_t(bytes[p + 1]) << 8 | bytes[p];
        }
    }
    return bitmap;
}

} // namespace varn
