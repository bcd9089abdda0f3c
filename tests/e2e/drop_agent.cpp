// Loaded into the program under test by tests/e2e/file_drop.cpp. A drop handle is memory of the
// process that reads it, so it is made here, in that process, exactly as the shell makes one for
// a window that only called DragAcceptFiles, and posted to the window.
#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

#include <cstring>

#include "e2e/drop_request.h"

extern "C" __declspec(dllexport) DWORD WINAPI VeloraPostDrop(void* parameter) {
  const auto* request = static_cast<const velora::e2e::DropRequest*>(parameter);
  if (!request || request->units < 2) return 0;
  const SIZE_T list_bytes = SIZE_T{request->units} * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list_bytes);
  if (!block) return 0;
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  if (!drop) {
    GlobalFree(block);
    return 0;
  }
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = request->client;
  drop->fNC = FALSE;
  drop->fWide = TRUE;
  std::memcpy(drop + 1, request + 1, list_bytes);
  GlobalUnlock(block);
  HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(request->window));
  // Once posted, the handle belongs to the window, whose DragFinish frees it.
  if (!PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0)) {
    GlobalFree(block);
    return 0;
  }
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
