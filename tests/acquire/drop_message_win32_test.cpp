// A real WM_DROPFILES: a drop handle built as the shell builds it, sent through the message queue
// to a real window whose handler reads the names and queues them.
#include <windows.h>
// After windows.h, whose types these use.
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>

#include "acquire/drop_queue.h"
#include "desktop/dropped_files_win32.h"
#include "support/message_pump_win32.h"
#include "text/path_code.h"
#include "text/utf.h"

namespace velora::acquire {
namespace {

class DropWindow {
 public:
  DropWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VeloraDropTest";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"drop test", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                            wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~DropWindow() { DestroyWindow(hwnd_); }
  DropWindow(const DropWindow&) = delete;
  DropWindow& operator=(const DropWindow&) = delete;

  // Posts the drop and dispatches messages until the window has handled it.
  bool Drop(HGLOBAL drop) {
    const int before = drops;
    if (!PostMessageW(hwnd_, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) return false;
    return velora::testing::PumpUntil([&] { return drops > before; }, 5000);
  }

  DropQueue queue;
  std::vector<std::string> names;
  std::size_t refused = 0;
  int drops = 0;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DROPFILES) {
      auto* self = reinterpret_cast<DropWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      self->names = desktop::TakeDroppedFiles(reinterpret_cast<HDROP>(wparam));
      self->refused += QueueDroppedPaths(self->queue, self->names);
      ++self->drops;
      return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
  }

  HWND hwnd_ = nullptr;
};

// A DROPFILES block with wide names, each zero-terminated, and a second zero after the last.
HGLOBAL DropOf(const std::vector<std::wstring>& names) {
  std::size_t units = 1;
  for (const auto& name : names) units += name.size() + 1;
  HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* at = reinterpret_cast<wchar_t*>(drop + 1);
  for (const auto& name : names) {
    std::memcpy(at, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
    at += name.size() + 1;
  }
  GlobalUnlock(block);
  return block;
}

std::vector<std::string> DecodedQueue(DropQueue& queue) {
  std::vector<std::string> paths;
  while (const auto entry = queue.Take()) {
    EXPECT_EQ(entry->size(), text::kPathCodeDigits);
    paths.push_back(text::PathFromCode(*entry));
  }
  return paths;
}

TEST(DropMessage, ThreeDroppedNamesAreQueuedInDropOrder) {
  DropWindow window;
  ASSERT_TRUE(window.Drop(DropOf({L"C:\\资料\\第一.txt", L"D:\\Tools\\app.exe", L"C:\\"})));
  EXPECT_EQ(window.refused, 0u);
  EXPECT_EQ(DecodedQueue(window.queue),
            (std::vector<std::string>{"C:\\资料\\第一.txt", "D:\\Tools\\app.exe", "C:\\"}));
}

TEST(DropMessage, ALongNameArrivesWholeAndIsRefusedWhileTheOthersQueue) {
  DropWindow window;
  const std::wstring long_name = L"D:\\" + std::wstring(600, L'长') + L".txt";
  ASSERT_TRUE(window.Drop(DropOf({L"D:\\短.txt", long_name, L"D:\\也短.txt"})));
  ASSERT_EQ(window.names.size(), 3u);
  EXPECT_EQ(window.names[1], text::Narrow(long_name));  // not cut by the platform call
  EXPECT_EQ(window.refused, 1u);
  ASSERT_EQ(window.queue.Count(), 2u);
  // The short one's entry is the same as when it is dropped alone: zeros after its terminator.
  EXPECT_EQ(window.queue.Take(), DropEntry("D:\\短.txt"));
  EXPECT_EQ(text::PathFromCode(window.queue.Take().value_or("")), "D:\\也短.txt");
}

}  // namespace
}  // namespace velora::acquire
