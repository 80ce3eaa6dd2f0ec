// The interface font, the families that stand in for the scenes' named fonts
// where a system lacks them, best first (metric-alike or similar-looking free
// families), the family the site brings along for each, and the one size rule
// every layer sets text by. Every windowing layer asks for the named family
// and then these.
#pragma once

#include "runtime/scene.h"

#include <cmath>
#include <span>
#include <string_view>

namespace varn {

// The interface font of every item that names none.
inline constexpr FontSpec kInterfaceFont{"MS Sans Serif", 8, 400};

struct FontFallbacks {
    std::span<const std::string_view> families;
    bool serif = false; // the generic family that ends the list
    // The free family the site serves itself (runtime/web/site/fonts) and
    // asks for before any of the visitor's own.
    std::string_view siteFamily;
};

inline constexpr std::string_view kSylfaenFallbacks[] = {"Noto Serif", "Liberation Serif",
                                                         "DejaVu Serif", "FreeSerif"};
inline constexpr std::string_view kSansSerifFallbacks[] = {
    "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans", "Noto Sans", "FreeSans"};

constexpr FontFallbacks FallbacksFor(std::string_view family) {
    if (family == "Sylfaen")
        return {kSylfaenFallbacks, true, "Liberation Serif"};
    return {kSansSerifFallbacks, false, "Liberation Sans"};
}

// The character height (the em) in whole pixels, as Windows makes a point
// size into a font: 8 pt at 96 dpi is 11 px, not 10.67. Every layer sets its
// text at this size so that each word is as wide everywhere.
inline int CharacterHeight(const FontSpec& font, int dpi) {
    return int(std::lround(font.points * dpi / 72.0));
}

// How much narrower than its box a line of words must be to fit: a line
// exactly as wide as the box does not (as DrawText judges), whichever way an
// engine rounds its glyphs' advances.
inline constexpr double kLineFitMargin = 0.5;

} // namespace varn
