// Keeps Wine's desktop process running for a whole benchmark series, as the
// desktop always runs on Windows. Wine starts its desktop with the first
// program that uses windows and ends it a moment after the last one quits, so
// without this each measured program may pay, at random, for starting it
// anew or race with it ending. A message-only window ties this process to the
// desktop; it shows nothing and sleeps until it is killed.
#include "runtime/win32/windows_api.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                        nullptr) == nullptr)
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
