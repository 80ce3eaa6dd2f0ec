// What a window says about itself, read from the X server.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

// The window id as the X tools print it ("0x1a00007").
std::string Hex(unsigned long id);
// _NET_WM_PID, or -1.
long WindowPid(Display* display, Window w);
// _NET_WM_NAME, or empty.
std::string WindowTitle(Display* display, Window w);
// Whether `w` lies inside `ancestor` (a window manager's frame, say).
bool Contains(Display* display, Window ancestor, Window w);
// The titles of the program's top-level windows that have a title, sorted.
std::vector<std::string> ProgramWindows(Display* display, pid_t pid);
