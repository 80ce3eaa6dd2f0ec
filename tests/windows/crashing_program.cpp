// A Windows program that crashes at once, writing through a null pointer: what
// the Wine prefix does with a crash is checked with it (test_crash_ends.sh).
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
