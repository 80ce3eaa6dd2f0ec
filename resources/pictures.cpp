#include "resources/pictures.h"

#include "game_picture_bytes.h" // generated at build time from game-picture/game.bmp

namespace varn {

std::span<const std::uint8_t> PictureBytes(PictureId id) {
    switch (id) {
    case PictureId::GamePicture:
        return kGamePictureBytes;
    case PictureId::None:
        break;
    }
    return {};
}

} // namespace varn
