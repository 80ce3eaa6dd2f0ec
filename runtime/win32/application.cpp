#include "runtime/win32/application.h"

#include "runtime/runtime_error.h"
#include "runtime/win32/text.h"
#include "runtime/win32/win32_platform.h"

#include <cstdio>

namespace varn::win32 {

void ReportRuntimeError(const std::string& message) {
    std::fprintf(stderr, "varns-house: %s\n", message.c_str());
    std::fflush(stderr);
    // Task-modal: no scene takes a click until the message is acknowledged.
    MessageBoxW(nullptr, Widen(message).c_str(), Widen(kRuntimeErrorTitle).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

int RunTour(std::span<const Scene* const> scenes, const TourRunner::PlatformWrapper& wrap) {
    TourRunner* runner = nullptr;
    Win32Platform platform(
        [&runner](SceneId scene, const ClickAction& action) { runner->Click(scene, action); },
        [] { PostQuitMessage(0); });
    TourRunner tour(
        platform, scenes,
        [](const RuntimeError& error) {
            ReportRuntimeError(error.what());
            PostQuitMessage(kRuntimeErrorExitStatus);
        },
        wrap);
    runner = &tour;
    try {
        tour.Start();
    } catch (const RuntimeError& error) {
        ReportRuntimeError(error.what());
        return kRuntimeErrorExitStatus;
    }

    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            return int(message.wParam); // the status PostQuitMessage carried
        if (got == -1) {
            ReportRuntimeError(LastErrorText("GetMessageW"));
            return kRuntimeErrorExitStatus;
        }
        // The dialog manager moves the focus on Tab and Shift+Tab and lets
        // Space press the focused button, in every scene window.
        HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        SceneWindow* scene = root != nullptr ? platform.SceneOf(root) : nullptr;
        if (scene != nullptr && (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN))
            scene->KeyPressed(); // from now on the focus rectangle shows
        if (scene != nullptr && IsDialogMessageW(root, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace varn::win32
