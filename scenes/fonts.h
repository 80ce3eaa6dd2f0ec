// The named fonts of the scenes; items without one use the default UI font.
#pragma once

#include "runtime/scene.h"

namespace varn::fonts {

inline constexpr FontSpec kSylfaenSmall{"Sylfaen", 9.75, 400};
inline constexpr FontSpec kSylfaenLarge{"Sylfaen", 24, 400};
inline constexpr FontSpec kMsSansSerifLarge{"MS Sans Serif", 24, 400};

} // namespace varn::fonts
