#include "test_window.h"

#include <gtest/gtest.h>

#include "toolkit/gdiplus.h"

namespace velora::toolkit::testing {
namespace {

constexpr wchar_t kClass[] = L"VeloraToolkitTest";

// One GDI+ session around the whole run, as the program keeps one.
class GdiplusEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    session_ = std::make_unique<GdiplusSession>();
    ASSERT_TRUE(session_->ok());
  }
  void TearDown() override { session_.reset(); }

 private:
  std::unique_ptr<GdiplusSession> session_;
};

[[maybe_unused]] ::testing::Environment* const kGdiplus =
    ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

}  // namespace

TestWindow::TestWindow(bool visible) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, kClass, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TestWindow::Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
  }
  hwnd_ = CreateWindowExW(0, kClass, L"toolkit test", WS_POPUP | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0),
                          100, 100, 640, 480, nullptr, nullptr, instance, this);
  if (hwnd_) host_ = std::make_unique<ControlHost>(hwnd_);
}

void TestWindow::ResetHost() {
  host_.reset();
  host_ = std::make_unique<ControlHost>(hwnd_);
}

TestWindow::~TestWindow() {
  host_.reset();  // the controls go before their window
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK TestWindow::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && self->on_message) {
    if (LRESULT result = 0; self->on_message(message, wparam, lparam, result)) return result;
  }
  if (self && message == WM_COMMAND && self->host_ && self->host_->RouteCommand(wparam, lparam)) return 0;
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace velora::toolkit::testing
