// Varn's House on Windows: a point-and-click tour of a family house.
#include "app/test_wrapper.h"
#include "runtime/win32/application.h"
#include "runtime/win32/windows_api.h"
#include "scenes/catalogue.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return varn::win32::RunTour(varn::scenes::All(), varn::TestWrapper());
}
