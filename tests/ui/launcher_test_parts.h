#pragma once
// What the launcher window's tests share: a reach into the window's parts, a host that asks
// nothing more of start-up, a message pump, and a data folder holding the template item store.
#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"
#include "store/template_db.h"
#include "support/message_pump_win32.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"
#include "toolkit/gdiplus.h"
#include "ui/launcher_window.h"

namespace velora::ui {

// The window's parts, for the tests that drive them; the program reaches none of them.
class LauncherWindowTestAccess {
 public:
  static toolkit::ControlHost& controls(LauncherWindow& w) { return *w.controls_; }
  static SettingsUi& settings(LauncherWindow& w) { return *w.settings_; }
  static Feedback& feedback(LauncherWindow& w) { return *w.feedback_; }
  static ItemGrid& grid(LauncherWindow& w) { return *w.grid_; }
  // Null until the hidden parts are built.
  static AddPanels* add_panels(LauncherWindow& w) { return w.add_panels_.get(); }
  static toolkit::CategoryBar& category_bar(LauncherWindow& w) { return *w.category_bar_; }
  static const exec::Navigation& navigation(const LauncherWindow& w) { return w.navigation_; }
  // Wine has no high-contrast mode to turn on: the tests set what the window would follow.
  static void ShowContrast(LauncherWindow& w, bool on) { w.ShowContrast(on); }
};

}  // namespace velora::ui

namespace velora::ui::test_parts {

using Parts = LauncherWindowTestAccess;

class BuildingHost final : public LauncherHost {
 public:
  bool OnLauncherCreate(HWND) override { return true; }
  void OnLauncherShown() override {}
  void OnStartupComplete() override {}
  void OnLauncherDestroy() override {}
  void OnSessionEnding() override {}
  void OnMenuCommand(MenuCommand) override {}
  bool BeforeBulkRemoval() override { return true; }
  void OnResizeFinished(Size) override {}
};

inline void Pump(DWORD ms) { velora::testing::PumpFor(ms); }

// A temporary folder whose data folder "配置" holds the template store, open in `db`; gone with
// this object.
class StoreFolder {
 public:
  explicit StoreFolder(std::string_view tag) : temp("velora-" + std::string(tag)) {}
  ~StoreFolder() { db.Close(); }

  // False when the folder or the store could not be made.
  bool Make() {
    std::filesystem::create_directories(data() / L"icon");
    return store::WriteTemplateDatabase(data() / L"Velora.db") &&
           db.Open(text::PathToUtf8(data() / L"Velora.db"));
  }
  std::filesystem::path data() const { return folder / L"配置"; }

  velora::testing::TempFolder temp;
  const std::filesystem::path& folder = temp.path();
  store::Database db;
};

// What the program hands the window, with the store of `store` (open it before the window is made).
inline LauncherServices ServicesFor(settings::OptionsHolder& options, StoreFolder& store,
                                    SettingsActions actions = {}) {
  return {options, store.db,           {store.data(), store.data() / L"Velora.db"},
          {},      std::move(actions), "当前版本   0.1.5"};
}

// A drop handle as the shell builds it: the header, every name ending in a zero, one more zero.
inline HGLOBAL MakeDrop(const std::vector<std::filesystem::path>& files) {
  std::wstring names;
  for (const auto& file : files) names += file.wstring() + L'\0';
  names += L'\0';
  HGLOBAL memory =
      GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return memory;
}

// A data directory with the template store and a real launcher window showing "软件" from it,
// for the tests that drive the window's grid. The hidden parts are not built.
class LauncherFixture : public ::testing::Test {
 protected:
  explicit LauncherFixture(std::string_view tag) : store_folder(tag) {}

  void SetUp() override {
    ASSERT_TRUE(store_folder.Make());
    ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), host, gdiplus));
    window.ShowCategory("软件");
  }
  void TearDown() override { window.Destroy(); }

  StoreFolder store_folder;
  const std::filesystem::path& folder = store_folder.folder;
  const std::filesystem::path data = store_folder.data();  // the data directory "配置"
  store::Database& db = store_folder.db;
  toolkit::GdiplusSession gdiplus;
  BuildingHost host;  // not attached
  settings::OptionsHolder options;
  LauncherWindow window{ServicesFor(options, store_folder)};
};

}  // namespace velora::ui::test_parts
