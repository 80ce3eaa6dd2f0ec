// Varn's House on Windows: a point-and-click tour of a family house.
#include "app/test_wrapper.h"
#include "runtime/win32/application.h"
#include "runtime/win32/windows_api.h"
#include "scenes/catalogue.h"

#ifdef VARN_FAULT_INJECTION
#include "runtime/win32/handle_count.h"
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
#ifdef VARN_FAULT_INJECTION
    return varn::win32::RunTour(varn::scenes::All(),
                                varn::TestWrapper(varn::win32::DescribeHandles));
#else
    return varn::win32::RunTour(varn::scenes::All(), varn::TestWrapper());
#endif
}
