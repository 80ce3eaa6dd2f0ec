// A child window with a sunken frame that shows a picture from its inner
// top-left corner, cut off where the frame ends. It has no tab stop.
#pragma once

#include "runtime/platform.h"
#include "runtime/win32/gdi_resources.h"
#include "runtime/win32/windows_api.h"

#include <string>

namespace varn::win32 {

inline constexpr wchar_t kPictureBoxClass[] = L"VarnsHousePictureBox";

// Registers the window class once per program.
Status RegisterPictureBoxClass(HINSTANCE instance);

// What a picture box shows; its owner keeps it for as long as the box lives.
struct PictureView {
    const PictureBits* picture;
    int dpi;
};

// `name` is what screen readers call it (its window text, never shown).
// Returns null when creation fails.
HWND CreatePictureBox(HWND parent, int id, const RECT& area, const PictureView& view,
                      const std::wstring& name);

} // namespace varn::win32
