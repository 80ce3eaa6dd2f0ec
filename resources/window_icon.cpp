#include "resources/window_icon.h"

// Generated at build time from icon/window/*.rgba.
#include "window_icon_16.h"
#include "window_icon_32.h"
#include "window_icon_48.h"
#include "window_icon_64.h"

namespace varn {

namespace {

template <int Size, std::size_t Bytes>
constexpr IconImage Image(const std::uint8_t (&rgba)[Bytes]) {
    static_assert(Bytes == std::size_t{Size} * Size * 4, "an icon file has the wrong size");
    return {Size, rgba};
}

constexpr IconImage kImages[] = {Image<16>(kWindowIcon16), Image<32>(kWindowIcon32),
                                 Image<48>(kWindowIcon48), Image<64>(kWindowIcon64)};

} // namespace

std::span<const IconImage> WindowIconImages() {
    return kImages;
}

} // namespace varn
