// The panel in the system's high-contrast mode: drawn in the system's colours in place of the
// skin, and in the skin again once the mode is off. Wine cannot turn the mode on (its
// SPI_SETHIGHCONTRAST does nothing and SPI_GETHIGHCONTRAST always says off), so the test sets a
// dark scheme of system colours and tells the window what it would have read.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "store/groups.h"
#include "support/window_picture_win32.h"
#include "ui/launcher_test_parts.h"

namespace velora::ui {
namespace {

constexpr int kElements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
constexpr COLORREF kDark[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(26, 235, 255), RGB(0, 0, 0)};

// The dark scheme for as long as it lives; the session's colours come back after, however the
// test ends.
struct DarkScheme {
  DarkScheme() {
    for (std::size_t i = 0; i < std::size(kElements); ++i) saved[i] = GetSysColor(kElements[i]);
    SetSysColors(static_cast<int>(std::size(kElements)), kElements, kDark);
  }
  ~DarkScheme() { SetSysColors(static_cast<int>(std::size(kElements)), kElements, saved); }
  COLORREF saved[std::size(kElements)]{};
};

class HighContrastTest : public test_parts::LauncherFixture {
 protected:
  HighContrastTest() : LauncherFixture("contrast") {}
  // A point of the backdrop below the last row of cells.
  COLORREF Backdrop() {
    test_parts::Pump(200);
    RECT client{};
    GetClientRect(window.hwnd(), &client);
    HDC dc = GetDC(window.hwnd());
    const COLORREF colour = GetPixel(dc, client.right / 2, client.bottom - 6);
    ReleaseDC(window.hwnd(), dc);
    return colour;
  }
};

TEST_F(HighContrastTest, ThePanelTakesTheSystemsColoursAndTheSkinReturns) {
  window.FillCategoryBar(store::BuildCategoryList(db));
  ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
  ASSERT_EQ(Backdrop(), RGB(255, 255, 255));  // the default skin
  {
    const DarkScheme dark;
    test_parts::Parts::ShowContrast(window, true);
    EXPECT_EQ(Backdrop(), RGB(0, 0, 0));
    const std::filesystem::path pictures = std::filesystem::current_path() / L"screenshots";
    std::filesystem::create_directories(pictures);
    EXPECT_TRUE(test_support::SaveWindowPicture(window.hwnd(), pictures / L"high_contrast.png"));
  }
  test_parts::Parts::ShowContrast(window, false);
  EXPECT_EQ(Backdrop(), RGB(255, 255, 255));
}

}  // namespace
}  // namespace velora::ui
