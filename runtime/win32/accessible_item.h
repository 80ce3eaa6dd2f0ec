// What one item of a scene window is to a Windows screen reader, in the terms
// of Microsoft Active Accessibility: its role, name, description, value,
// state, default action and place on the screen. A null item stands for the
// window's client area itself: a dialog, or an alert in an ending, described
// by the kind of place (and an ending's whole message), which screen readers
// read as the window opens. The words come from the scene record and
// runtime/accessible_text.h, as on every other desktop.
#pragma once

#include "runtime/scene.h"
#include "runtime/win32/windows_api.h"

#include <string>

namespace varn::win32 {

class SceneWindow;

LONG AccessibleRole(const Scene& scene, const SceneItem* item);
std::wstring AccessibleName(const SceneWindow& window, const SceneItem* item);
std::wstring AccessibleDescription(const Scene& scene, const SceneItem* item);
// The text of a message box; empty for everything else.
std::wstring AccessibleValue(const SceneItem* item);
// A marker is checked while its label shows its words.
LONG AccessibleState(const SceneWindow& window, const SceneItem* item);
// "Press" for the buttons and the labels that lead somewhere; empty otherwise.
std::wstring DefaultAction(const SceneItem* item);
// Where the item is, in screen coordinates; false when the system cannot say.
bool ScreenRect(const SceneWindow& window, const SceneItem* item, RECT& rect);

} // namespace varn::win32
