#pragma once
// A data directory with the template store and a real launcher window showing "软件" from it,
// for the tests that drive the window's grid.
#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "store/database.h"
#include "store/template_db.h"
#include "text/fs_path.h"
#include "toolkit/gdiplus.h"
#include "ui/launcher_window.h"

namespace velora::ui::testing {

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

class PlainHost final : public LauncherHost {
 public:
  bool OnLauncherCreate(HWND) override { return true; }
  void OnLauncherShown() override {}
  void OnLauncherDestroy() override {}
  void OnSessionEnding() override {}
  void OnMenuCommand(MenuCommand) override {}
  void OnCategoryChanged() override {}
  void OnResizeFinished(Size) override {}
};

class LauncherFixture : public ::testing::Test {
 protected:
  explicit LauncherFixture(const std::string& name)
      : folder(std::filesystem::temp_directory_path() /
               ("velora-" + name + "-" + std::to_string(GetCurrentProcessId()))),
        data(folder / L"配置") {}

  void SetUp() override {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(data / L"icon");
    ASSERT_TRUE(store::WriteTemplateDatabase(data / L"Velora.db"));
    ASSERT_TRUE(db.Open(text::PathToUtf8(data / L"Velora.db")));
    ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), host, gdiplus));
    window.state().current_category = "软件";
    window.AttachGrid(db, data, {});
  }
  void TearDown() override {
    window.Destroy();
    db.Close();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  const std::filesystem::path folder;
  const std::filesystem::path data;  // the data directory "配置"
  store::Database db;
  toolkit::GdiplusSession gdiplus;
  PlainHost host;
  LauncherWindow window;
};

}  // namespace velora::ui::testing
