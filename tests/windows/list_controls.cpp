// Prints the controls of the top-level window with the given title as a
// screen reader finds them through the standard means: one line each, its
// window class and its window text ("Button|Where you are").
// Usage: list_controls.exe TITLE
#include "runtime/win32/windows_api.h"

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    char out[512] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof(out) - 1, nullptr, nullptr);
    return out;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    wchar_t type[64] = {}, text[256] = {};
    GetClassNameW(control, type, 64);
    // WM_GETTEXT reaches another process's window, unlike GetWindowText.
    SendMessageW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    std::printf("%s|%s\n", Utf8(type).c_str(), Utf8(text).c_str());
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: list_controls TITLE\n");
        return 2;
    }
    HWND window = FindWindowW(nullptr, argv[1]);
    if (window == nullptr) {
        std::fprintf(stderr, "no window titled %s\n", Utf8(argv[1]).c_str());
        return 1;
    }
    EnumChildWindows(window, PrintControl, 0);
    return 0;
}
