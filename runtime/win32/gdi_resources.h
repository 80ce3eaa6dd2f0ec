// What every scene window shares and the program creates once: the fonts the
// items name, at each resolution a window is drawn at, and the checked
// pictures. Freed when the program ends.
#pragma once

#include "runtime/bitmap.h"
#include "runtime/scene.h"
#include "runtime/win32/gdi_object.h"
#include "runtime/win32/windows_api.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <tuple>

namespace varn::win32 {

// A picture as the program carries it, a bitmap file whose headers have been
// checked; the system draws its rows straight from these bytes, so no copy of
// the pixels is ever made.
struct PictureBits {
    std::span<const std::uint8_t> bytes;
    BitmapLayout layout;
};

// The screen's resolution in dots per inch, as the system reports it to a
// program that declares itself aware of it.
int ScreenDpi();

class GdiResources {
  public:
    explicit GdiResources(int dpi) : dpi_(dpi) {}
    GdiResources(const GdiResources&) = delete;
    GdiResources& operator=(const GdiResources&) = delete;

    // The resolution new windows start at: the system's.
    int Dpi() const { return dpi_; }
    // The item's font, or the default 8-point interface font, at `dpi`; null
    // when the system cannot make it.
    HFONT Font(const std::optional<FontSpec>& named, int dpi);
    // The picture, checked on first use. Raises BitmapError if it is damaged.
    const PictureBits& Picture(PictureId id);

  private:
    int dpi_;
    std::map<std::tuple<std::string, double, int, int>, GdiObject<HFONT>> fonts_;
    std::map<PictureId, PictureBits> pictures_;
};

} // namespace varn::win32
