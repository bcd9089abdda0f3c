#pragma once
// Owners for the system handles the program holds, in one place: kernel objects, GDI objects,
// metafiles, modules, icons and cursors, window regions, device contexts and the objects selected into
// them, global memory blocks, windows that no class of ours wraps, menus, registry keys, COM objects
// and the shell's memory (item ID lists, strings).
#include <windows.h>
// After windows.h, whose types they use.
#include <shtypes.h>
#include <wrl/client.h>

#include <memory>
#include <type_traits>

namespace velora::core {

struct KernelHandleCloser {
  void operator()(HANDLE handle) const noexcept {
    if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};
using UniqueHandle = std::unique_ptr<void, KernelHandleCloser>;

// A directory search from FindFirstFile(Ex), which FindClose ends, not CloseHandle.
struct FindCloser {
  void operator()(HANDLE find) const noexcept {
    if (find && find != INVALID_HANDLE_VALUE) FindClose(find);
  }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const noexcept {
    if (object) DeleteObject(object);
  }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, GdiObjectDeleter>;
using UniquePalette = std::unique_ptr<std::remove_pointer_t<HPALETTE>, GdiObjectDeleter>;

struct EnhMetafileDeleter {
  void operator()(HENHMETAFILE metafile) const noexcept {
    if (metafile) DeleteEnhMetaFile(metafile);
  }
};
using UniqueEnhMetafile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EnhMetafileDeleter>;

struct MetafileDeleter {
  void operator()(HMETAFILE metafile) const noexcept {
    if (metafile) DeleteMetaFile(metafile);
  }
};
using UniqueMetafile = std::unique_ptr<std::remove_pointer_t<HMETAFILE>, MetafileDeleter>;

// A module from LoadLibraryEx, also one loaded only to read its resources.
struct ModuleFreer {
  void operator()(HMODULE module) const noexcept {
    if (module) FreeLibrary(module);
  }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

// A block from GlobalAlloc. Whoever takes it over (SetClipboardData on success) gets it by
// release(); until then a failure frees it here.
struct GlobalFreer {
  void operator()(HGLOBAL block) const noexcept {
    if (block) GlobalFree(block);
  }
};
using UniqueGlobal = std::unique_ptr<void, GlobalFreer>;

// GlobalLock paired with GlobalUnlock; data() is null when the block could not be locked.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL block) noexcept
      : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~GlobalLockScope() {
    if (data_) GlobalUnlock(block_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  void* data() const noexcept { return data_; }
  // The block's size, which may exceed what its writer asked for.
  SIZE_T size() const noexcept { return data_ ? GlobalSize(block_) : 0; }

 private:
  HGLOBAL block_;
  void* data_;
};

// A window with no object of ours behind it (a message-only helper of a built-in class).
struct WindowDestroyer {
  void operator()(HWND window) const noexcept {
    if (window) DestroyWindow(window);
  }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// Icons and cursors made at run time (not shared ones loaded from resources).
struct IconDestroyer {
  void operator()(HICON icon) const noexcept {
    if (icon) DestroyIcon(icon);
  }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

// A menu made at run time and not attached to a window, which would destroy it itself.
struct MenuDestroyer {
  void operator()(HMENU menu) const noexcept {
    if (menu) DestroyMenu(menu);
  }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

// A key opened or created in the registry; the predefined roots are never owned.
struct RegistryKeyCloser {
  void operator()(HKEY key) const noexcept {
    if (key) RegCloseKey(key);
  }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

// Memory the shell hands over from CoTaskMemAlloc: item ID lists and known-folder paths.
struct CoTaskMemFreer {
  void operator()(void* block) const noexcept { CoTaskMemFree(block); }
};
using UniqueIdList = std::unique_ptr<ITEMIDLIST, CoTaskMemFreer>;
using UniqueCoTaskString = std::unique_ptr<wchar_t, CoTaskMemFreer>;

// A COM interface pointer: released when it goes, AddRef'd when copied.
template <typename Interface>
using ComPtr = Microsoft::WRL::ComPtr<Interface>;

// GetDC paired with ReleaseDC; a null window gives the screen's DC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint paired with EndPaint, for a window's WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const noexcept { return dc_; }
  // The part of the window that needs painting.
  const RECT& area() const noexcept { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// SelectObject paired with putting the previous object back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Hands a region to a window. The window owns it once SetWindowRgn succeeds; on failure the
// region is still ours and is freed here.
inline bool SetWindowRegion(HWND window, UniqueRegion region, bool redraw) noexcept {
  if (!SetWindowRgn(window, region.get(), redraw ? TRUE : FALSE)) return false;
  (void)region.release();
  return true;
}

}  // namespace velora::core
