#pragma once
// The program and the one place where its parts are put together: it opens the data folder, the
// log, the store and the options, builds the launcher window from them, runs the message loop,
// and Exit and Restart.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "app/single_instance_win32.h"
#include "app/store_session.h"
#include "app/transfer_jobs_win32.h"
#include "app/transfer_requests_win32.h"
#include "desktop/mouse_hook_win32.h"
#include "desktop/tray_icon_win32.h"
#include "settings/options.h"
#include "store/groups.h"
#include "toolkit/gdiplus.h"
#include "ui/launcher_window.h"

namespace velora::app {

inline constexpr wchar_t kInstanceEventName[] = L"Velora";
inline constexpr std::string_view kVersionCaption = "当前版本   0.1.5";
inline constexpr std::string_view kGdiplusFailed = "图形组件 GDI+ 无法启动，Velora 不能运行。";

class App final : public ui::LauncherHost {
 public:
  explicit App(HINSTANCE instance) : instance_(instance) {}

  // Start routine and message loop; the process exit code.
  int Run(const std::wstring& command_line);

  // Both end the message loop after the exit steps; Restart first starts the new copy.
  void Exit() noexcept;
  void Restart() noexcept;

  // Deleting from the group menu reports through a toast and redraws the category bar; the
  // add-group panel adds and renames.
  void DeleteGroup();  // the shown category

  // Call before removing items in bulk ("清空列表", "删除分组", "清理失效"): backs up the store
  // and toasts a failure. False when no backup could be made: leave the items as they are.
  [[nodiscard]] bool BackUpBeforeBulkRemoval();
  // Puts a backup in the store's place, backing the current one up first unless told it holds
  // nothing worth keeping; toasts the outcome and reloads the bar and the grid. The about page
  // reads its list again itself.
  void RestoreBackup(const std::filesystem::path& backup, bool back_up_current = true);

 private:
  bool OnLauncherCreate(HWND window) override;
  void OnLauncherShown() override;
  void OnStartupComplete() override;
  void OnLauncherDestroy() override { Exit(); }
  void OnSessionEnding() override;
  void OnMenuCommand(ui::MenuCommand command) override;
  bool BeforeBulkRemoval() override { return BackUpBeforeBulkRemoval(); }
  // The tray icon's events: a left press shows or hides, a right press opens the tray menu.
  LRESULT OnTrayEvent(unsigned code);
  // Tells the user, once the panel is up, why it is empty or cannot save.
  void ReportStoreProblem();
  // The data folder, the log, the store and the options: what the windows are built on.
  void OpenDataFolder();
  // Tells the user where the damaged store went and offers the newest sound backup.
  void OfferBackupForDamagedStore();
  // The bar and the grid read the store again; a group that is gone gives way to the first one.
  void ReloadStore();
  void OnResizeFinished(ui::Size design_size) override;
  bool RunExitSteps() noexcept;
  void Report(store::GroupOutcome outcome);
  // The settings file: loaded at start-up in two steps (the options before the window exists,
  // the controls' states once they are built), saved on "保存", Exit and Restart
  // (app_settings.cpp).
  void LoadOptions();
  void LoadControlStates();
  void SaveAllSettings() noexcept;
  // What the settings panel asks of the program (app_settings.cpp, app_backups.cpp).
  ui::SettingsActions BuildSettingsActions();
  void AddBackupActions(ui::SettingsActions& actions);
  // An export or import a command handed over (app_transfer.cpp): done on this copy's store by
  // the about page's worker, shown in its panel, answered when it ends.
  void TransferForCommand(const TransferRequest& request, const TransferRequests::Answer& answer);
  // The about page's export and import, run off the UI thread (app_transfer.cpp).
  void AddTransferActions(ui::SettingsActions& actions);
  TransferJobs* Transfers();
  void ImportBrowserBookmarks();
  TransferPlaces Places() const;
  // An import took: its settings apply as they would at a start, the bar and the grid read the
  // store.
  void AfterImport();

  HINSTANCE instance_;
  // Started before any window exists and ended after the last one is gone.
  toolkit::GdiplusSession gdiplus_;
  std::filesystem::path data_directory_;
  std::filesystem::path settings_file_;  // empty until loaded: nothing is saved before
  store::SystemClock clock_;
  StoreSession store_{clock_};
  SingleInstance single_instance_{kInstanceEventName};
  desktop::TrayIcon tray_;
  std::unique_ptr<desktop::MouseHook> mouse_hook_;
  // Loaded with the settings; the window reads them and its settings panel changes them.
  settings::OptionsHolder options_;
  // Built once the store is open and the options read; gone before them.
  std::optional<ui::LauncherWindow> launcher_;
  TransferRequests transfer_requests_;
  // Made at the first export or import; its results reach the window only while both exist.
  std::unique_ptr<TransferJobs> transfer_jobs_;
  bool exited_ = false;
};

}  // namespace velora::app
