// The yardstick for the Windows benchmark: the least a Windows program with
// text does to show a window the size of the tour's title window, with the
// same title, centred, holding one captioned push button where the title's
// "Enter" is, in the interface font, with the same message loop as the tour.
// The button swaps the window for a second one, the street's size, built on
// the first press and then only shown and hidden; a click in the second one
// swaps back. So the same program gives a "first visit" and a "return visit".
#include "runtime/win32/windows_api.h"

namespace {

HWND title = nullptr, street = nullptr;

HWND Build(const wchar_t* caption, int width, int height) {
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return CreateWindowExW(0, L"BareWindow", caption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           work.left + (work.right - work.left - w) / 2,
                           work.top + (work.bottom - work.top - h) / 2, w, h, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void Swap(HWND show, HWND hide) {
    ShowWindow(show, SW_SHOW);
    ShowWindow(hide, SW_HIDE);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            if (street == nullptr)
                street = Build(L"Form2", 312, 206);
            Swap(street, title);
        }
        return 0;
    case WM_LBUTTONUP:
        if (window == street)
            Swap(title, street);
        return 0;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = Procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    type.lpszClassName = L"BareWindow";
    RegisterClassExW(&type);

    title = Build(L"Varn's House", 312, 112);
    HWND button = CreateWindowExW(0, L"BUTTON", L"Enter", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 112,
                                  72, 81, 25, title, nullptr, instance, nullptr);
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
    SendMessageW(button, WM_SETFONT, WPARAM(font), FALSE);
    ShowWindow(title, SW_SHOW);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(GetAncestor(message.hwnd, GA_ROOT), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return int(message.wParam);
}
