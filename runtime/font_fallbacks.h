// The interface font, and the families that stand in for the scenes' named fonts where a system
// lacks them, best first: metric-alike or similar-looking free families. Every windowing layer asks
// for the named family and then these.
#pragma once

#include "runtime/scene.h"

#include <span>
#include <string_view>

namespace varn {

// The interface font of every item that names none.
inline constexpr FontSpec kInterfaceFont{"MS Sans Serif", 8, 400};

struct FontFallbacks {
    std::span<const std::string_view> families;
    bool serif = false; // the generic family that ends the list
};

inline constexpr std::string_view kSylfaenFallbacks[] = {"Noto Serif", "Liberation Serif",
                                                         "DejaVu Serif", "FreeSerif"};
inline constexpr std::string_view kSansSerifFallbacks[] = {
    "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans", "Noto Sans", "FreeSans"};

constexpr FontFallbacks FallbacksFor(std::string_view family) {
    if (family == "Sylfaen")
        return {kSylfaenFallbacks, true};
    return {kSansSerifFallbacks, false};
}

} // namespace varn
