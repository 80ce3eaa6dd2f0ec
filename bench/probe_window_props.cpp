#include "probe_window_props.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <cstdio>

std::string Hex(unsigned long id) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%lx", id);
    return text;
}

bool Contains(Display* display, Window ancestor, Window w) {
    const Window root = DefaultRootWindow(display);
    while (w != None && w != root) {
        Window rootReturn = None, parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, w, &rootReturn, &parent, &children, &count))
            return false;
        if (children != nullptr)
            XFree(children);
        if (parent == ancestor)
            return true;
        w = parent;
    }
    return false;
}

long WindowPid(Display* display, Window w) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, w, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False,
                           XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
        data != nullptr && count == 1 && format == 32)
        pid = long(*reinterpret_cast<unsigned long*>(data));
    if (data != nullptr)
        XFree(data);
    return pid;
}

std::string WindowTitle(Display* display, Window w) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, w, XInternAtom(display, "_NET_WM_NAME", False), 0, 256, False,
                           XInternAtom(display, "UTF8_STRING", False), &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr && format == 8)
        title.assign(reinterpret_cast<char*>(data), count);
    if (data != nullptr)
        XFree(data);
    return title;
}

namespace {

void CollectWindows(Display* display, Window parent, pid_t pid, int depth,
                    std::vector<std::string>& titles) {
    Window rootReturn = None, parentReturn = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &rootReturn, &parentReturn, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i) {
        if (WindowPid(display, children[i]) == pid) {
            const std::string title = WindowTitle(display, children[i]);
            if (!title.empty())
                titles.push_back(title);
        } else if (depth < 2) { // into the window manager's frames
            CollectWindows(display, children[i], pid, depth + 1, titles);
        }
    }
    if (children != nullptr)
        XFree(children);
}

} // namespace

std::vector<std::string> ProgramWindows(Display* display, pid_t pid) {
    std::vector<std::string> titles;
    CollectWindows(display, DefaultRootWindow(display), pid, 0, titles);
    std::sort(titles.begin(), titles.end());
    return titles;
}
