#pragma once
// A native control read out by the name of its label. The system's own reading of an edit box or
// a drop-down list takes its name from a static text just before it; the program's labels are
// drawn by the program, so that reading finds nothing (or reads the typed text as the name).
// Such a control answers WM_GETOBJECT with the system's reading of it, renamed.
#include <windows.h>

#include <string>

namespace velora::toolkit {

// Answers WM_GETOBJECT for the client area of `window` with the system's object for it, named
// `name`; 0 (for any other object, or when the system has none) leaves the request to the
// system.
LRESULT AnswerGetObjectNamed(HWND window, WPARAM wparam, LPARAM lparam, const std::string& name);

}  // namespace velora::toolkit
