#include "runtime/web/application.h"

#include "runtime/runtime_error.h"
#include "runtime/web/dom.h"
#include "runtime/web/web_platform.h"

#include <memory>

namespace varn::web {

namespace {

struct Program {
    dom::Node desktop = dom::kNoNode;
    dom::Node announcer = dom::kNoNode;
    std::unique_ptr<WebPlatform> platform;
    std::unique_ptr<TourRunner> runner;
    bool ended = false;
};

Program& TheProgram() {
    static Program program; // lives as long as the page
    return program;
}

// What the page shows once the program has ended: a fresh start is a
// reload, since the program keeps nothing.
void ShowEnded() {
    const dom::Node ended = dom::Create("main", dom::kBody, "ended");
    const dom::Node words = dom::Create("p", ended);
    dom::SetText(words, "Varn's House has ended.");
    const dom::Node again = dom::Create("a", ended);
    dom::SetAttribute(again, "href", "");
    dom::SetAttribute(again, "class", "again");
    dom::SetText(again, "Start again");
}

// The run-time error's message box, drawn by the page; its button closes it
// without any listener of the program's.
void ShowRuntimeError(const std::string& message) {
    const dom::Node box = dom::Create("dialog", dom::kBody, "error");
    dom::SetAttribute(box, "role", "alertdialog");
    dom::SetAttribute(box, "aria-labelledby", "error-title");
    dom::SetAttribute(box, "aria-describedby", "error-message");
    const dom::Node title = dom::Create("div", box, "title-bar");
    dom::SetAttribute(title, "id", "error-title");
    dom::SetText(title, kRuntimeErrorTitle);
    const dom::Node words = dom::Create("p", box);
    dom::SetAttribute(words, "id", "error-message");
    dom::SetText(words, message);
    const dom::Node form = dom::Create("form", box);
    dom::SetAttribute(form, "method", "dialog");
    const dom::Node ok = dom::Create("button", form);
    dom::SetText(ok, "OK");
    // Modal, as the desktop's box is: nothing behind it takes a click until
    // it is closed, and its button has the focus.
    if (!dom::ShowModal(box))
        dom::SetAttribute(box, "open", "");
    dom::Focus(ok);
}

// Ends the program: no window, no listener is left. The program's objects
// stay in memory (an action may still be on its way out) but nothing can
// reach them any more.
void End(const std::string* error) {
    Program& program = TheProgram();
    if (program.ended)
        return;
    program.ended = true;
    dom::StopListening();
    dom::Remove(program.desktop);
    dom::Remove(program.announcer);
    ShowEnded();
    if (error != nullptr)
        ShowRuntimeError(*error);
}

} // namespace

void StartTour(std::span<const Scene* const> scenes, const TourRunner::PlatformWrapper& wrap) {
    Program& program = TheProgram();
    program.desktop = dom::Create("div", dom::kBody);
    dom::SetAttribute(program.desktop, "class", "desktop");
    program.platform = std::make_unique<WebPlatform>(
        program.desktop,
        [&program](SceneId scene, const ClickAction& action) {
            program.runner->Click(scene, action);
        },
        [] { End(nullptr); });
    program.runner = std::make_unique<TourRunner>(
        *program.platform, scenes,
        [](const RuntimeError& error) {
            const std::string message = error.what();
            End(&message);
        },
        wrap);
    // A key shows where the focus is; Tab and Shift+Tab stay inside the
    // window that is showing, and the arrow keys move among its pressable
    // items.
    dom::Listen(dom::kDocument, "keydown", [&program](const dom::Event& e) {
        SceneWindow* showing = program.platform->Showing();
        if (showing == nullptr)
            return false;
        showing->KeyPressed();
        if (e.tab)
            showing->MoveFocus(e.shift);
        return e.tab || showing->MoveAmongPressable(e.arrow);
    });
    try {
        if (program.desktop == dom::kNoNode)
            throw RuntimeError("Start", SceneId::Form1, "the page could not make room for windows");
        program.runner->Start();
    } catch (const RuntimeError& error) {
        const std::string message = error.what();
        End(&message);
    }
    // Screen readers are told of each window that shows from now on by a
    // status region after the desktop (web_platform.h says why there).
    if (!program.ended) {
        program.announcer = dom::Create("p", dom::kBody, "announcer");
        dom::SetAttribute(program.announcer, "role", "status");
        program.platform->AnnounceWindowsIn(program.announcer);
    }
    dom::FinishAdopting();
    // Offline play after this first visit; the worker's install fetches
    // every file once more, so it waits until the title has been painted.
    dom::RegisterServiceWorkerAfterFirstPaint("sw.js");
}

} // namespace varn::web
