#include "support/window_picture_win32.h"

#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace velora::test_support {

bool SaveWindowPicture(HWND window, const std::filesystem::path& file) {
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
    saved = image.Save(file.wstring().c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(token);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

}  // namespace velora::test_support
