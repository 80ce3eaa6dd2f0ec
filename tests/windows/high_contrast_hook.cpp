// Loaded into the running program by turn_on_high_contrast.exe: from then on
// the program's own calls to SystemParametersInfoW answer that High Contrast
// is on, as Windows answers once the user turns it on. Wine keeps High
// Contrast off whatever is asked of it, so the tests put this in its place:
// the program's import table entry for the call is pointed here; every other
// question still goes to the system.
#include "runtime/win32/windows_api.h"

namespace {

using SystemParameters = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
SystemParameters real = nullptr;

BOOL WINAPI HighContrastSystemParameters(UINT action, UINT size, PVOID value, UINT flags) {
    if (action == SPI_GETHIGHCONTRAST && value != nullptr &&
        static_cast<HIGHCONTRASTW*>(value)->cbSize == sizeof(HIGHCONTRASTW)) {
        auto* setting = static_cast<HIGHCONTRASTW*>(value);
        setting->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
        setting->lpszDefaultScheme = nullptr;
        return TRUE;
    }
    return real(action, size, value, flags);
}

// Points every entry of the module's import table that holds the system's
// SystemParametersInfoW at the stand-in.
void Redirect(HMODULE module) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& table =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (table.VirtualAddress == 0)
        return;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + table.VirtualAddress);
         dll->Name != 0; ++dll)
        for (auto* entry = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
             entry->u1.Function != 0; ++entry) {
            if (entry->u1.Function != reinterpret_cast<ULONG_PTR>(real))
                continue;
            DWORD old = 0;
            VirtualProtect(&entry->u1.Function, sizeof(entry->u1.Function), PAGE_READWRITE, &old);
            entry->u1.Function = reinterpret_cast<ULONG_PTR>(&HighContrastSystemParameters);
            VirtualProtect(&entry->u1.Function, sizeof(entry->u1.Function), old, &old);
        }
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        real = reinterpret_cast<SystemParameters>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoW")));
        if (real == nullptr)
            return FALSE;
        Redirect(GetModuleHandleW(nullptr));
    }
    return TRUE;
}
