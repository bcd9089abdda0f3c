#pragma once
// The window the mouse pointer rests on, and making it the one that receives the keyboard.
#include <windows.h>

namespace velora::desktop {

// The window under `screen_point`: the system's hit test, refined among the child windows that
// overlap there (a control inside a group box rather than the box). Null where none is.
HWND WindowAtPoint(POINT screen_point);
HWND WindowAtPointer();

// Brings the top-level window of `target` to the front and, when `target` is a child control,
// gives it the keyboard focus. True when the window ended up in front. Windows lets only the
// process the user last gave input to do this: call it right after the user's click on the panel.
bool ActivateWindow(HWND target);

// Activates the window under the pointer, or with `root_owner` the root owner of that window (the
// main window that owns a tool or dialog window), as macros and text snippets do.
bool ActivateWindowAtPointer(bool root_owner);

}  // namespace velora::desktop
