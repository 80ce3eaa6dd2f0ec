// Tells the visible scene window with the given title what Windows tells a
// window dragged onto a monitor of another resolution: WM_DPICHANGED with the
// new resolution and a suggested frame, the old one keeping its top-left
// corner and grown or shrunk by the ratio of the two resolutions around a
// client area scaled the same way. (Wine moves no window between monitors
// itself.) The rectangle is written into the program's own memory, since the
// message carries a pointer. Prints the client size the window then has.
// Usage: send_dpi_change.exe TITLE FROM_DPI TO_DPI
#include "runtime/win32/windows_api.h"

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: send_dpi_change TITLE FROM_DPI TO_DPI\n");
        return 2;
    }
    const int from = int(std::wcstol(argv[2], nullptr, 10)),
              to = int(std::wcstol(argv[3], nullptr, 10));
    HWND window = FindWindowW(L"VarnsHouseScene", argv[1]);
    RECT frame, client;
    if (window == nullptr || from <= 0 || to <= 0 || !GetWindowRect(window, &frame) ||
        !GetClientRect(window, &client)) {
        std::fprintf(stderr, "send_dpi_change: no such window, or a bad resolution\n");
        return 1;
    }
    // The frame's own thickness is kept: Wine draws it the same at every resolution.
    const int width = MulDiv(client.right, to, from), height = MulDiv(client.bottom, to, from);
    const RECT suggested{frame.left, frame.top,
                         frame.left + width + (frame.right - frame.left) - client.right,
                         frame.top + height + (frame.bottom - frame.top) - client.bottom};
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    void* remote = process != nullptr ? VirtualAllocEx(process, nullptr, sizeof(suggested),
                                                       MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                                      : nullptr;
    if (remote == nullptr ||
        !WriteProcessMemory(process, remote, &suggested, sizeof(suggested), nullptr)) {
        std::fprintf(stderr, "send_dpi_change: cannot write into the program (error %lu)\n",
                     GetLastError());
        return 1;
    }
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    GetClientRect(window, &client);
    std::printf("%ld %ld\n", client.right, client.bottom);
    return 0;
}
