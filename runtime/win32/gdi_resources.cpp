#include "runtime/win32/gdi_resources.h"

#include "resources/pictures.h"
#include "runtime/font_fallbacks.h"
#include "runtime/win32/text.h"

namespace varn::win32 {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

HFONT GdiResources::Font(const std::optional<FontSpec>& named, int dpi) {
    const FontSpec& f = named ? *named : kInterfaceFont;
    const auto key = std::make_tuple(std::string(f.family), f.points, f.weight, dpi);
    auto found = fonts_.find(key);
    if (found != fonts_.end())
        return found->second.Get();
    // A negative height asks for the character height, the one point sizes name.
    const int height = -CharacterHeight(f, dpi);
    const BYTE family = f.family == "Sylfaen" ? FF_ROMAN : FF_SWISS;
    GdiObject<HFONT> font(CreateFontW(height, 0, 0, 0, f.weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | family, Widen(f.family).c_str()));
    return fonts_.emplace(key, std::move(font)).first->second.Get();
}

const PictureBits& GdiResources::Picture(PictureId id) {
    auto found = pictures_.find(id);
    if (found == pictures_.end()) {
        const std::span<const std::uint8_t> bytes = PictureBytes(id);
        found = pictures_.emplace(id, PictureBits{bytes, CheckBitmap(bytes)}).first;
    }
    return found->second;
}

} // namespace varn::win32
