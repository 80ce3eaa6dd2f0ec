// The pictures compiled into the program, as their stored bytes.
#pragma once

#include "runtime/scene.h"

#include <cstdint>
#include <span>

namespace varn {

std::span<const std::uint8_t> PictureBytes(PictureId id);

} // namespace varn
