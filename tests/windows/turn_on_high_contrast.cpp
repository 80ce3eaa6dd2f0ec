// Turns Windows High Contrast on for the running program under Wine, as far
// as the program can tell: loads high_contrast_hook.dll into it (which makes
// SystemParametersInfoW say High Contrast is on), then tells every scene
// window what Windows tells every window when High Contrast is turned on,
// WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST. The colours themselves are the
// desktop scheme's, which the test sets. Usage: turn_on_high_contrast.exe DLL
#include "runtime/win32/windows_api.h"

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

struct Program {
    DWORD pid = 0;
    std::vector<HWND> windows;
};

BOOL CALLBACK FindScenes(HWND window, LPARAM found) {
    auto& program = *reinterpret_cast<Program*>(found);
    wchar_t type[64] = {};
    GetClassNameW(window, type, 64);
    if (std::wcscmp(type, L"VarnsHouseScene") == 0) {
        GetWindowThreadProcessId(window, &program.pid);
        program.windows.push_back(window);
    }
    return TRUE;
}

// Runs LoadLibraryW(dll) in the process; true once it has returned a module.
bool LoadInto(HANDLE process, const wchar_t* dll) {
    const SIZE_T size = (std::wcslen(dll) + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr || !WriteProcessMemory(process, remote, dll, size, nullptr))
        return false;
    // The system DLLs lie at the same address in every process of a kind.
    auto* load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, load, remote, 0, nullptr);
    DWORD loaded = 0;
    if (thread != nullptr) {
        WaitForSingleObject(thread, 30000);
        GetExitCodeThread(thread, &loaded);
        CloseHandle(thread);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return loaded != 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: turn_on_high_contrast DLL\n");
        return 2;
    }
    wchar_t dll[MAX_PATH] = {};
    GetFullPathNameW(argv[1], MAX_PATH, dll, nullptr);
    Program program;
    EnumWindows(FindScenes, reinterpret_cast<LPARAM>(&program));
    HANDLE process =
        program.pid != 0 ? OpenProcess(PROCESS_ALL_ACCESS, FALSE, program.pid) : nullptr;
    if (process == nullptr || !LoadInto(process, dll)) {
        std::fprintf(stderr, "turn_on_high_contrast: could not load the hook into the program\n");
        return 1;
    }
    CloseHandle(process);
    for (HWND window : program.windows)
        SendMessageTimeoutW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG,
                            10000, nullptr);
    return 0;
}
