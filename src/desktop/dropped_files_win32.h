#pragma once
// The names a shell drop (WM_DROPFILES) carries.
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <string>
#include <vector>

namespace velora::desktop {

// Every dropped name, whole and in the order of the drop, as UTF-8; then the drop handle is
// released (DragFinish), so the caller must not use it again.
std::vector<std::string> TakeDroppedFiles(HDROP drop);

}  // namespace velora::desktop
