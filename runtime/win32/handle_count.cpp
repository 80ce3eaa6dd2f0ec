#include "runtime/win32/handle_count.h"

#include "runtime/win32/gdi_object.h"

namespace varn::win32 {

namespace {

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

// The system's count, or -1 where it does not keep one.
long SystemCount(DWORD which) {
    SetLastError(ERROR_SUCCESS);
    const DWORD count = GetGuiResources(GetCurrentProcess(), which);
    return count == 0 && GetLastError() != ERROR_SUCCESS ? -1 : long(count);
}

} // namespace

std::string DescribeHandles() {
    long windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windows));
    return "gdi=" + std::to_string(LiveGdiObjects()) + " windows=" + std::to_string(windows) +
           " system-gdi=" + std::to_string(SystemCount(GR_GDIOBJECTS)) +
           " system-user=" + std::to_string(SystemCount(GR_USEROBJECTS));
}

} // namespace varn::win32
