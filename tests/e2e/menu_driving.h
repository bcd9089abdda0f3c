#pragma once
// Driving the panel's menus and add panels from outside: a private copy whose store holds the
// test's items, the grid's cells by caption, pop-up menus and their entries, shown controls.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/desktop_input.h"
#include "e2e/installed_copy.h"
#include "e2e/velora_process.h"
#include "store/database.h"
#include "store/groups.h"
#include "store/items.h"
#include "text/fs_path.h"
#include "text/path_code.h"

namespace velora::e2e {

class MenuDrivingTest : public InstalledCopyTest {
 protected:
  std::filesystem::path StoreFile() const { return folder.path() / L"配置" / L"Velora.db"; }

  // A first start writes the template store; the test's items go in while the program is closed.
  void InstallWithItems(const std::string& table, const std::vector<store::ItemRow>& rows) {
    {
      VeloraProcess first(exe);
      ASSERT_NE(StartShown(first), nullptr);
      ASSERT_EQ(first.Close(), 0u);
    }
    store::Database db;
    ASSERT_TRUE(db.Open(text::PathToUtf8(StoreFile())));
    if (!db.TableExists(table)) {
      ASSERT_EQ(store::CreateGroup(db, table), store::GroupOutcome::kCreated);
    }
    for (const store::ItemRow& row : rows) ASSERT_TRUE(store::AddItem(db, table, row));
  }

  std::vector<std::string> Codes(const std::string& table) const {
    store::Database db;
    if (!db.Open(text::PathToUtf8(StoreFile()))) return {};
    return store::ListCodes(db, table);
  }

  static std::vector<std::wstring> Captions(HWND grid) { return GridCaptions(grid); }

  static bool Shows(HWND grid, const std::wstring& caption) {
    const auto captions = Captions(grid);
    return std::find(captions.begin(), captions.end(), caption) != captions.end();
  }

  // The pop-up menu once it is up and drawn.
  static HWND WaitForMenu() {
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); })) {
      return nullptr;
    }
    Sleep(200);
    return menu;
  }

  // The menu that `open` brings up, once it has stayed up a moment. Under load Wine may end a menu
  // at once (a late focus change, see docs/windows-rules.md) or take a click before it shows it;
  // then it is opened again, as a user would.
  template <typename Open>
  static HWND OpenMenu(Open open) {
    for (int tries = 0; tries < 3; ++tries) {
      open();
      HWND menu = nullptr;
      if (!WaitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }))
        continue;
      if (!WaitUntil([&] { return !IsWindowVisible(menu); }, 500)) return menu;
    }
    return nullptr;
  }

  // Clicks entry `index` of a menu of `count` entries of equal height.
  static void ChooseEntry(HWND menu, int index, int count) {
    RECT r{};
    GetWindowRect(menu, &r);
    Click({(r.left + r.right) / 2, r.top + (r.bottom - r.top) * (2 * index + 1) / (2 * count)});
  }

  static bool ToastShows(HWND window, const wchar_t* text) {
    return WaitUntil([&] {
      HWND toast = FindChildByText(window, text);
      return toast && IsWindowVisible(toast);
    });
  }

  // The shown control with this text: the add panel's title carries the add button's words too.
  static HWND FindShown(HWND window, const wchar_t* text) {
    struct Search {
      const wchar_t* text;
      HWND found = nullptr;
    } search{text};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          wchar_t buffer[64] = {};
          GetWindowTextW(child, buffer, 64);
          if (IsWindowVisible(child) && std::wstring(buffer) == s->text) {
            s->found = child;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  // Entries are 24 pixels high at 96 DPI; the menu's frame adds a few.
  static int EntryCount(HWND menu) {
    RECT r{};
    GetWindowRect(menu, &r);
    return (r.bottom - r.top) / 24;
  }

  // The shown edit box whose inner label reads `label`, clicked in its middle so it takes
  // the keyboard.
  static HWND FocusEdit(HWND window, const wchar_t* label) {
    HWND caption = FindShown(window, label);
    HWND edit = caption ? GetParent(caption) : nullptr;
    if (!edit) return nullptr;
    RECT r{};
    GetWindowRect(edit, &r);
    Click({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    return edit;
  }

  // WM_GETTEXT, not GetWindowText: across processes only the message reads what an edit box holds.
  static std::wstring TextOf(HWND control) {
    wchar_t buffer[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    return buffer;
  }

  static POINT CentreOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
};

inline store::ItemRow TextItem(const std::string& text, const std::string& date) {
  return {"$$文本$$" + text, {}, text, "文本", {}, date};
}

inline store::ItemRow FileItem(const std::filesystem::path& path, const std::string& date) {
  const std::string utf8 = text::PathToUtf8(path);
  return {text::PathCode(utf8),
          utf8,
          text::PathToUtf8(path.stem()),
          text::PathToUtf8(path.extension()),
          {},
          date};
}

}  // namespace velora::e2e
