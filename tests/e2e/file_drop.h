#pragma once
// Files dropped on a window of another program, as a person drops them there from the shell.
#include <windows.h>

#include <filesystem>
#include <vector>

namespace velora::e2e {

// Drops `files` at the screen point `at` on the window there that accepts files (the one under
// the point or its nearest ancestor that called DragAcceptFiles). That window must be `target` or
// one of its children, else nothing is dropped: a drop on a covered or hidden panel misses it.
// True once the window's process holds the drop in its message queue.
//
// A drop handle is memory of the process that reads it, so it cannot be posted from here: a small
// agent library is loaded into the target's process for the call, builds the handle there as the
// shell does, and posts WM_DROPFILES to the window.
bool DropFiles(HWND target, const std::vector<std::filesystem::path>& files, POINT at);

}  // namespace velora::e2e
