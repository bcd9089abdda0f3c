#include "e2e/desktop_input.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <optional>
#include <string>

#include "e2e/remote_block.h"
#include "e2e/velora_process.h"
#include "support/window_picture_win32.h"

namespace velora::e2e {
namespace {

void Send(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

// Lets the program under test take the input before the next step.
void Settle(DWORD ms = 60) { Sleep(ms); }

struct Search {
  std::wstring_view text;
  HWND found = nullptr;
};

BOOL CALLBACK MatchText(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t buffer[256] = {};
  GetWindowTextW(child, buffer, 256);
  if (search->text == buffer) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void MoveMouse(POINT screen) {
  // Wine moves the X pointer after the call returns, and a late pointer event from the display
  // may still put it back: asked again until the system reports it there.
  WaitUntil([&] {
    SetCursorPos(screen.x, screen.y);
    Settle(30);
    POINT now{};
    return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
  });
}

void MovePointer(POINT screen) {
  MoveMouse(screen);
  Send(MOUSEEVENTF_MOVE);
  Settle(150);
}

void Click(POINT screen) {
  MoveMouse(screen);
  Send(MOUSEEVENTF_LEFTDOWN);
  Settle();
  Send(MOUSEEVENTF_LEFTUP);
  Settle(150);
}

void RightClick(POINT screen) {
  MoveMouse(screen);
  Send(MOUSEEVENTF_RIGHTDOWN);
  Settle();
  Send(MOUSEEVENTF_RIGHTUP);
  Settle(150);
}

bool TapKey(WORD key) {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = key;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  return SendInput(2, keys, sizeof(INPUT)) == 2;
}

void PressKey(WORD key) {
  (void)TapKey(key);
  Settle(100);
}

void TypeText(std::wstring_view text) {
  for (wchar_t c : text) {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
      key.type = INPUT_KEYBOARD;
      key.ki.wScan = c;
      key.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    Settle(15);
  }
  Settle(100);
}

void Drag(POINT from, POINT to, bool release) {
  MoveMouse(from);
  Send(MOUSEEVENTF_LEFTDOWN);
  Settle(150);
  constexpr int kSteps = 10;
  for (int i = 1; i <= kSteps; ++i) {
    SetCursorPos(from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps);
    Send(MOUSEEVENTF_MOVE);  // a zero move makes the sizing loop read the new position
    Settle(40);
  }
  if (!release) return;
  Send(MOUSEEVENTF_LEFTUP);
  Settle(300);
}

void ReleaseLeftButton() { Send(MOUSEEVENTF_LEFTUP); }

void Wheel(POINT screen, int notches) {
  MoveMouse(screen);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
  SendInput(1, &input, sizeof input);
  Settle(250);
}

std::wstring ClipboardText() {
  std::wstring text;
  for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) Sleep(50);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

HWND FindChildByText(HWND parent, std::wstring_view text) {
  Search search{text};
  EnumChildWindows(parent, MatchText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindItemGrid(HWND window) {
  HWND found = nullptr;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM param) -> BOOL {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (std::wstring(cls) == L"VeloraControl" && SendMessageW(child, LB_GETCOUNT, 0, 0) > 0) {
          *reinterpret_cast<HWND*>(param) = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<std::wstring> GridCaptions(HWND grid) {
  std::vector<std::wstring> captions;
  const auto count = SendMessageW(grid, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(grid, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    SendMessageW(grid, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.size() - 1);
    captions.push_back(text);
  }
  return captions;
}

void SetDisplayDpi(DWORD dpi) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
  }
}

bool SaveScreenshot(HWND window, std::wstring_view file_name) {
  const std::filesystem::path folder = ScreenshotFolder();
  std::filesystem::create_directories(folder);
  return test_support::SaveWindowPicture(window, folder / std::wstring(file_name));
}

std::wstring ListViewCell(HWND list, int row, int column) {
  constexpr int kChars = 512;
  RemoteBlock block(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  if (!block.ok()) return {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<wchar_t*>(block.at(sizeof item));
  item.cchTextMax = kChars;
  if (!block.Write(0, &item, sizeof item)) return {};
  const auto length = SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(block.at(0)));
  std::wstring text(static_cast<std::size_t>(std::clamp<LRESULT>(length, 0, kChars - 1)), L'\0');
  if (!block.Read(sizeof item, text.data(), text.size() * sizeof(wchar_t))) return {};
  return text;
}

RECT ListViewRowRect(HWND list, int row) {
  RemoteBlock block(list, sizeof(RECT));
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  if (!block.ok() || !block.Write(0, &r, sizeof r) ||
      !SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(block.at(0))) ||
      !block.Read(0, &r, sizeof r)) {
    return {};
  }
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

namespace {

// Where the bar shows `category` on the screen, as the bar's accessible tree tells a screen
// reader: its tab's rectangle, or empty when the bar has no such tab. `in_view` says whether
// the tab is wholly in view.
std::optional<RECT> CategoryTab(HWND bar, std::wstring_view category, bool& in_view) {
  // The tree of another process comes over COM; the thread may already have its apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::optional<RECT> found;
  IAccessible* tabs = nullptr;
  if (SUCCEEDED(AccessibleObjectFromWindow(bar, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&tabs)))) {
    long count = 0;
    tabs->get_accChildCount(&count);
    for (long id = 1; id <= count && !found; ++id) {
      VARIANT child;
      VariantInit(&child);
      child.vt = VT_I4;
      child.lVal = id;
      BSTR name = nullptr;
      if (tabs->get_accName(child, &name) != S_OK || !name) continue;
      const bool match = category == std::wstring_view(name, SysStringLen(name));
      SysFreeString(name);
      long left = 0, top = 0, width = 0, height = 0;
      if (!match || FAILED(tabs->accLocation(&left, &top, &width, &height, child))) continue;
      VARIANT state;
      VariantInit(&state);
      in_view = SUCCEEDED(tabs->get_accState(child, &state)) && state.vt == VT_I4 &&
                !(state.lVal & STATE_SYSTEM_OFFSCREEN);
      found = RECT{left, top, left + width, top + height};
    }
    tabs->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return found;
}

}  // namespace

bool ChooseCategory(HWND window, const wchar_t* category) {
  HWND bar = FindChildByText(window, L"软件");
  if (!bar) return false;
  RECT r{};
  GetWindowRect(bar, &r);
  const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  const auto chosen = [&] {
    wchar_t text[64] = {};
    GetWindowTextW(bar, text, 64);
    return std::wstring_view(text) == category;
  };
  // A tab past the bar's end comes into view with the wheel; the click is a user's, at the
  // tab's middle, and the bar may take its time on a busy machine.
  for (int turn = 0; turn < 8; ++turn) {
    bool in_view = false;
    const std::optional<RECT> tab = CategoryTab(bar, category, in_view);
    if (!tab) break;
    if (in_view) {
      Click({(tab->left + tab->right) / 2, (tab->top + tab->bottom) / 2});
      if (WaitUntil(chosen)) return true;
    } else {
      Wheel(middle, tab->left < r.left ? 3 : -3);
    }
  }
  SaveScreenshot(window, L"choose_category_failed.png");
  return false;
}

POINT CellOf(HWND grid, const std::wstring& caption) {
  constexpr int kCellWidth = 77;
  constexpr int kCellHeight = 90;
  const std::vector<std::wstring> captions = GridCaptions(grid);
  const auto at = std::find(captions.begin(), captions.end(), caption);
  if (at == captions.end()) return {-1, -1};
  const int cell = static_cast<int>(at - captions.begin());
  RECT r{};
  GetWindowRect(grid, &r);
  const int columns = std::max(1, static_cast<int>((r.right - r.left) / kCellWidth));
  return {r.left + (cell % columns) * kCellWidth + kCellWidth / 2,
          r.top + (cell / columns) * kCellHeight + kCellHeight / 3};
}

}  // namespace velora::e2e
