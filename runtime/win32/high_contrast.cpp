#include "runtime/win32/high_contrast.h"

#include "runtime/win32/windows_api.h"

namespace varn::win32 {

bool HighContrastOn() {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof(setting);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace varn::win32
