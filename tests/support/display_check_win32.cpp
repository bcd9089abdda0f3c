// Linked into every test program that needs real windows: when none can be made (under Wine,
// no X display answers), the run stops at once with the reason instead of failing test by test.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

class DisplayCheck : public ::testing::Environment {
 public:
  void SetUp() override {
    HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    const DWORD error = GetLastError();
    if (probe) {
      DestroyWindow(probe);
      return;
    }
    GTEST_FAIL() << "No window can be made (CreateWindowExW failed, error " << error
                 << "): the display does not answer. Run the tests through tools/wine-run.sh, which starts a "
                    "virtual display (Xvfb) when DISPLAY is unset or does not answer.";
  }
};

[[maybe_unused]] ::testing::Environment* const kDisplayCheck =
    ::testing::AddGlobalTestEnvironment(new DisplayCheck);

}  // namespace
