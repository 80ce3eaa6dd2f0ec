// The window of one scene, built from its record: real child controls for the
// windowed kinds (buttons, text boxes, the picture box), everything else
// painted on the client area, double-buffered. Clicks on buttons and labels
// are handed to the click handler with the item's action. Each window keeps
// its own resolution (it follows the monitor it is on) and answers screen
// readers with its own accessible objects (accessible_scene.h), for its client
// area and for each button and message box.
#pragma once

#include "runtime/platform.h"
#include "runtime/scene.h"
#include "runtime/win32/gdi_resources.h"
#include "runtime/win32/high_contrast.h"
#include "runtime/win32/picture_box.h"
#include "runtime/win32/windows_api.h"

#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varn::win32 {

class AccessibleScene;

inline constexpr wchar_t kSceneWindowClass[] = L"VarnsHouseScene";

class SceneWindow {
  public:
    using ClickHandler = std::function<void(SceneId, const ClickAction&)>;

    // Registers the window classes once per program.
    static Status RegisterClasses(HINSTANCE instance);
    // Builds the window and its controls, hidden. On failure `window` stays
    // empty and the status carries the system's words.
    static Status Create(const Scene& scene, GdiResources& gdi, ClickHandler onClick,
                         std::function<void()> onClose, std::unique_ptr<SceneWindow>& window);
    ~SceneWindow();
    SceneWindow(const SceneWindow&) = delete;
    SceneWindow& operator=(const SceneWindow&) = delete;

    HWND Handle() const { return window_; }
    const Scene& Record() const { return scene_; }
    // The resolution the window is drawn at, in dots per inch.
    int Dpi() const { return dpi_; }
    // The control of a windowed item, or null for a painted one.
    HWND ControlOf(const SceneItem& item) const;
    // Presses a button or clicks a label once the event loop is back, the way
    // the mouse does, provided the window is still showing then.
    void PressLater(const SceneItem& item);

    // Label captions are window state: read and written by name.
    bool HasLabel(std::string_view name) const { return captions_.contains(name); }
    std::wstring Caption(std::string_view label) const;
    Status SetCaption(std::string_view label, std::wstring caption);

    // Gives the focus to the focusable item with the lowest tab index.
    void FocusFirstItem();
    // The focus rectangle shows only once the keyboard is used in the window,
    // as in a dialog that has just opened: each showing hides it again, a key
    // pressed in the window shows it.
    void HideFocusCues() { SetFocusCues(false); }
    void KeyPressed() { SetFocusCues(true); }

    bool HasBeenShown() const { return hasBeenShown_; }
    void MarkShown() { hasBeenShown_ = true; }

  private:
    // Control ids start above the dialog manager's own (IDOK, IDCANCEL, …);
    // every item has one, the painted ones too, for PressLater.
    static constexpr int kFirstControlId = 100;
    static constexpr UINT kPressMessage = WM_APP + 1;

    SceneWindow(const Scene& scene, GdiResources& gdi, ClickHandler onClick,
                std::function<void()> onClose);
    Status BuildControls();
    HWND CreateControl(const SceneItem& item, int id);
    const SceneItem* ItemOfControl(int id) const;
    // Moves to another resolution: fonts, controls, pictures and paint are
    // made anew from the twips, and the window takes the frame it is given.
    void ChangeDpi(int dpi, const RECT& frame);
    HFONT ControlFont(const SceneItem& item);
    void Press(const SceneItem& item);
    // The answer to WM_GETOBJECT sent to the window or one of its controls.
    LRESULT AccessibleObject(HWND asked, WPARAM flags, LPARAM objectId);

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // A button's or message box's: the system's, but for screen readers' requests.
    static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wParam,
                                             LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void PaintItems(HDC dc, const RECT& area);
    bool SetCursorOver(HWND control);
    LRESULT TextBoxColours(HDC dc, HWND control);
    void Release(int x, int y);
    void SetFocusCues(bool shown);

    const Scene& scene_;
    GdiResources& gdi_;
    ClickHandler onClick_;
    std::function<void()> onClose_;
    HWND window_ = nullptr;
    int dpi_;
    // By the window they answer for, made when a screen reader first asks.
    std::map<HWND, AccessibleScene*> accessible_;
    std::map<std::string_view, std::wstring> captions_;
    std::map<HWND, const SceneItem*> controls_;
    std::vector<HWND> tabOrder_; // focusable controls by increasing tab index
    std::list<PictureView> pictures_;
    HWND lastFocus_ = nullptr; // given back when the window is activated again
    const SceneItem* pressedLabel_ = nullptr;
    bool hasBeenShown_ = false;
    bool focusCues_ = false;
    // Whether Windows High Contrast is on, read again when a setting changes.
    bool highContrast_ = HighContrastOn();
};

} // namespace varn::win32
