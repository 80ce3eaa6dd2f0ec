// A screen reader's view of the Windows program, through Microsoft Active
// Accessibility alone, from another process: reads commands from standard
// input, one a line, and answers each with lines ending in "end".
//
//   showing            the names of the scene windows whose client object
//                      is not invisible
//   children TITLE     the scene's client object: "self|PARENT|NAME|left top
//                      width height|role|description|state" (PARENT "window"
//                      when its parent stands for the scene's window), then
//                      per child, from AccessibleChildren,
//                      "id|role|name|description|value|state|action|
//                      left top width height|hit|next": the id accHitTest
//                      gives at the child's middle and the one accNavigate
//                      gives after it; "focus|ID"; then per child window
//                      (button, message box, picture), its own client object,
//                      as the focus landing on it shows it to a screen reader:
//                      "control|role|name|description|value|state"
//   press TITLE NAME   accDoDefaultAction on the child of that name
//   events             the name and state changes of children heard since
//                      the last time (an out-of-context win event hook),
//                      "TITLE|name|NAME" or "TITLE|state|NAME|STATE|WHOSE" each
//                      (WHOSE "child" of the scene's object, or "control" for
//                      a child window's own), the name and state read back
//                      through AccessibleObjectFromEvent
//
// Texts are printed with CR, LF and backslash escaped (\r, \n, \\).
#include "runtime/win32/child_ids.h"
#include "runtime/win32/text.h"
#include "runtime/win32/windows_api.h"

#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr UINT kCommand = WM_APP;

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

// Reads one text property; empty when there is none.
template <typename Getter> std::string Read(Getter get) {
    BSTR text = nullptr;
    const HRESULT status = get(&text);
    std::string out =
        SUCCEEDED(status) && text != nullptr ? varn::win32::Narrow({text, SysStringLen(text)}) : "";
    SysFreeString(text);
    return Escaped(out);
}

struct SceneSearch {
    std::wstring title;
    HWND found = nullptr;
};

BOOL CALLBACK MatchScene(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<SceneSearch*>(search);
    wchar_t type[64] = {}, title[256] = {};
    GetClassNameW(window, type, 64);
    GetWindowTextW(window, title, 256);
    if (std::wstring(type) == L"VarnsHouseScene" && IsWindowVisible(window) &&
        (wanted.title.empty() || wanted.title == title)) {
        if (wanted.title.empty()) // listing them all
            std::printf("%s\n", varn::win32::Narrow(title).c_str());
        else
            wanted.found = window;
    }
    return TRUE;
}

IAccessible* ClientObject(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

IAccessible* Scene(const std::string& title, HWND& window) {
    SceneSearch search{varn::win32::Widen(title)};
    EnumWindows(MatchScene, LPARAM(&search));
    if (search.found == nullptr) {
        std::printf("error|no visible scene titled %s\n", title.c_str());
        return nullptr;
    }
    window = search.found;
    IAccessible* object = ClientObject(search.found);
    if (object == nullptr)
        std::printf("error|no accessible object for %s\n", title.c_str());
    return object;
}

LONG IdOf(const VARIANT& v) {
    return v.vt == VT_I4 ? v.lVal : -1;
}

std::vector<LONG> ChildIds(IAccessible* scene) {
    LONG count = 0;
    scene->get_accChildCount(&count);
    std::vector<VARIANT> children(std::size_t(count > 0 ? count : 0));
    LONG obtained = 0;
    std::vector<LONG> ids;
    if (count > 0 && SUCCEEDED(AccessibleChildren(scene, 0, count, children.data(), &obtained)))
        for (LONG i = 0; i < obtained; ++i) {
            ids.push_back(IdOf(children[std::size_t(i)]));
            VariantClear(&children[std::size_t(i)]);
        }
    return ids;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    IAccessible* object = ClientObject(control);
    if (object == nullptr) {
        std::printf("control|error\n");
        return TRUE;
    }
    const VARIANT self = varn::win32::ChildId(CHILDID_SELF);
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    object->get_accRole(self, &role);
    object->get_accState(self, &state);
    std::printf("control|%ld|%s|%s|%s|%#lx\n", IdOf(role),
                Read([&](BSTR* t) { return object->get_accName(self, t); }).c_str(),
                Read([&](BSTR* t) { return object->get_accDescription(self, t); }).c_str(),
                Read([&](BSTR* t) { return object->get_accValue(self, t); }).c_str(), IdOf(state));
    object->Release();
    return TRUE;
}

void PrintChildren(IAccessible* scene, HWND window) {
    // The parent is the window's standard object (Wine's answers little but
    // which window it stands for).
    IDispatch* parent = nullptr;
    IAccessible* frame = nullptr;
    HWND parentWindow = nullptr;
    if (SUCCEEDED(scene->get_accParent(&parent)) && parent != nullptr &&
        SUCCEEDED(parent->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&frame))))
        WindowFromAccessibleObject(frame, &parentWindow);
    if (frame != nullptr)
        frame->Release();
    if (parent != nullptr)
        parent->Release();
    LONG left = 0, top = 0, width = 0, height = 0;
    const VARIANT self = varn::win32::ChildId(CHILDID_SELF);
    VARIANT role, selfState;
    VariantInit(&role);
    VariantInit(&selfState);
    scene->accLocation(&left, &top, &width, &height, self);
    scene->get_accRole(self, &role);
    scene->get_accState(self, &selfState);
    std::printf(
        "self|%s|%s|%ld %ld %ld %ld|%ld|%s|%#lx\n", parentWindow == window ? "window" : "other",
        Read([&](BSTR* t) { return scene->get_accName(self, t); }).c_str(), left, top, width,
        height, IdOf(role),
        Read([&](BSTR* t) { return scene->get_accDescription(self, t); }).c_str(), IdOf(selfState));
    for (LONG id : ChildIds(scene)) {
        const VARIANT child = varn::win32::ChildId(id);
        VARIANT state, hit, next;
        VariantInit(&role);
        VariantInit(&state);
        VariantInit(&hit);
        VariantInit(&next);
        scene->get_accRole(child, &role);
        scene->get_accState(child, &state);
        scene->accLocation(&left, &top, &width, &height, child);
        scene->accHitTest(left + width / 2, top + height / 2, &hit);
        scene->accNavigate(NAVDIR_NEXT, child, &next);
        std::printf("%ld|%ld|%s|%s|%s|%#lx|%s|%ld %ld %ld %ld|%ld|%ld\n", id, IdOf(role),
                    Read([&](BSTR* t) { return scene->get_accName(child, t); }).c_str(),
                    Read([&](BSTR* t) { return scene->get_accDescription(child, t); }).c_str(),
                    Read([&](BSTR* t) { return scene->get_accValue(child, t); }).c_str(),
                    IdOf(state),
                    Read([&](BSTR* t) { return scene->get_accDefaultAction(child, t); }).c_str(),
                    left, top, width, height, IdOf(hit), IdOf(next));
    }
    VARIANT focus;
    VariantInit(&focus);
    scene->get_accFocus(&focus);
    std::printf("focus|%ld\n", IdOf(focus));
    EnumChildWindows(window, PrintControl, 0);
}

void Press(IAccessible* scene, const std::string& name) {
    for (LONG id : ChildIds(scene)) {
        if (Read([&](BSTR* t) { return scene->get_accName(varn::win32::ChildId(id), t); }) !=
            Escaped(name))
            continue;
        const HRESULT status = scene->accDoDefaultAction(varn::win32::ChildId(id));
        std::printf(SUCCEEDED(status) ? "pressed\n" : "error|accDoDefaultAction: %#lx\n",
                    static_cast<unsigned long>(status));
        return;
    }
    std::printf("error|no child named %s\n", name.c_str());
}

struct Heard {
    DWORD event;
    HWND window;
    LONG object, child;
};
std::vector<Heard> heard;

void CALLBACK Changed(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
    // Read back later, outside the hook: the read is a call to the program.
    // A child of a scene's object, or a child window's own object.
    const bool control = child == CHILDID_SELF && GetAncestor(window, GA_ROOT) != window;
    if ((event == EVENT_OBJECT_NAMECHANGE || event == EVENT_OBJECT_STATECHANGE) &&
        object == OBJID_CLIENT && (child > 0 || control))
        heard.push_back({event, window, object, child});
}

void PrintEvents() {
    for (const Heard& event : heard) {
        IAccessible* object = nullptr;
        VARIANT child;
        VariantInit(&child);
        wchar_t title[256] = {};
        GetWindowTextW(GetAncestor(event.window, GA_ROOT), title, 256);
        std::string name = "?";
        VARIANT state;
        VariantInit(&state);
        if (SUCCEEDED(AccessibleObjectFromEvent(event.window, DWORD(event.object),
                                                DWORD(event.child), &object, &child))) {
            name = Read([&](BSTR* t) { return object->get_accName(child, t); });
            object->get_accState(child, &state);
            object->Release();
        }
        if (event.event == EVENT_OBJECT_NAMECHANGE)
            std::printf("%s|name|%s\n", varn::win32::Narrow(title).c_str(), name.c_str());
        else
            std::printf("%s|state|%s|%#lx|%s\n", varn::win32::Narrow(title).c_str(), name.c_str(),
                        IdOf(state), event.child == CHILDID_SELF ? "control" : "child");
    }
    heard.clear();
}

void Run(const std::string& line) {
    const std::size_t space = line.find(' ');
    const std::string verb = line.substr(0, space);
    std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    // TITLE and NAME are separated by a tab, since both may hold spaces.
    const std::size_t tab = rest.find('\t');
    const std::string title = rest.substr(0, tab);
    const std::string name = tab == std::string::npos ? "" : rest.substr(tab + 1);
    if (verb == "showing") {
        SceneSearch all;
        EnumWindows(MatchScene, LPARAM(&all));
    } else if (verb == "events") {
        PrintEvents();
    } else if (verb == "children" || verb == "press") {
        HWND window = nullptr;
        if (IAccessible* scene = Scene(title, window)) {
            if (verb == "children")
                PrintChildren(scene, window);
            else
                Press(scene, name);
            scene->Release();
        }
    } else {
        std::printf("error|unknown command %s\n", verb.c_str());
    }
    std::printf("end\n");
    std::fflush(stdout);
}

DWORD WINAPI ReadCommands(LPVOID mainThread) {
    char buffer[1024];
    while (std::fgets(buffer, sizeof(buffer), stdin) != nullptr) {
        std::string line(buffer);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        PostThreadMessageW(DWORD(reinterpret_cast<UINT_PTR>(mainThread)), kCommand, 0,
                           reinterpret_cast<LPARAM>(new std::string(line)));
    }
    PostThreadMessageW(DWORD(reinterpret_cast<UINT_PTR>(mainThread)), WM_QUIT, 0, 0);
    return 0;
}

} // namespace

int main() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "msaa_client: COM did not start\n");
        return 1;
    }
    // The range holds the location changes too, which the hook leaves out.
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, Changed, 0, 0,
                        WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (hook == nullptr) {
        std::fprintf(stderr, "msaa_client: SetWinEventHook failed\n");
        return 1;
    }
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE); // the queue the reader posts to
    const auto self = reinterpret_cast<LPVOID>(UINT_PTR(GetCurrentThreadId()));
    HANDLE reader = CreateThread(nullptr, 0, ReadCommands, self, 0, nullptr);
    if (reader == nullptr)
        return 1;
    // The event loop delivers the hook's events between commands.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == kCommand) {
            auto* line = reinterpret_cast<std::string*>(message.lParam);
            Run(*line);
            delete line;
            continue;
        }
        DispatchMessageW(&message);
    }
    UnhookWinEvent(hook);
    CoUninitialize();
    return 0;
}
