#include "e2e/desktop_input.h"

#include <objidl.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <algorithm>
#include <string>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "e2e/remote_block.h"
#include "e2e/velora_process.h"

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
  SetCursorPos(screen.x, screen.y);
  Settle(30);
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
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);

  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  bool saved = false;
  {
    Gdiplus::Bitmap image(bitmap, nullptr);
    const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    std::filesystem::path folder = ScreenshotFolder();
    std::filesystem::create_directories(folder);
    const std::wstring path = (folder / std::wstring(file_name)).wstring();
    saved = image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(token);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
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

bool ChooseCategory(HWND window, const wchar_t* category) {
  HWND bar = FindChildByText(window, L"软件");
  if (!bar) return false;
  RECT r{};
  GetWindowRect(bar, &r);
  wchar_t text[64] = {};
  for (int x = r.left + 4; x < r.right; x += 12) {
    Click({x, r.top + 20});
    GetWindowTextW(bar, text, 64);
    if (std::wstring(text) == category) return true;
  }
  return false;
}

}  // namespace velora::e2e
