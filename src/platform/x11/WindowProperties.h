#pragma once
// The names X keeps for a window: its title (WM_NAME and _NET_WM_NAME), its class (WM_CLASS),
// and the search for a top-level window by them or by a window inside it, also among other
// programs' windows.

#include <optional>
#include <string>

#include "platform/x11/Connection.h"

namespace platform::x11 {

void SetTitle(const Connection& connection, Window window, const std::string& title);
void SetClass(const Connection& connection, Window window, const std::string& className);
// _NET_WM_NAME when set, else WM_NAME; empty when neither is there.
std::string ReadTitle(const Connection& connection, Window window);
// The class part of WM_CLASS; empty when it is not set.
std::string ReadClass(const Connection& connection, Window window);

// A top-level window whose class and title match (null matches any). Under a window manager
// the program's windows are children of frames; a frame's client window counts as top-level.
std::optional<Window> FindTopLevel(const Connection& connection, const char* className,
                                   const char* title);
// The top-level window that holds `window` (itself when it is one), counted as FindTopLevel
// counts them.
Window TopLevelOf(const Connection& connection, Window window);

}  // namespace platform::x11
