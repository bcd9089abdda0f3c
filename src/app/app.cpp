#include "app/app.h"

#include "app/first_run.h"
#include "app/restart_win32.h"
#include "ui/settings_ui.h"
#include "store/groups.h"
#include "store/schema.h"
#include "text/fs_path.h"

namespace velora::app {

int App::Run(const std::wstring& command_line) {
  WaitForPredecessor(command_line);
  if (!launcher_.Create(instance_, *this)) return handed_over_ ? 0 : 1;
  if (tip_.Create(instance_, launcher_.hwnd())) launcher_.SetTipWindow(&tip_);
  state_.startup_complete = true;
  launcher_.settings().SetStartupComplete();

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

bool App::OnLauncherCreate(HWND window) {
  state_.default_window_width = ui::kLauncherWidth;
  state_.version_caption = std::string(kVersionCaption);

  if (!single_instance_.Acquire()) {
    BringRunningCopyForward(window, ui::kLauncherClass, ui::kLauncherTitle);
    handed_over_ = true;
    return false;
  }

  state_.data_directory = DataDirectory(std::filesystem::path(ExecutablePath()).parent_path());
  PrepareDataDirectory(state_.data_directory);
  ui::WindowState& window_state = launcher_.state();
  if (state_.database.Open(text::PathToUtf8(DatabasePath(state_.data_directory)))) {
    window_state.current_category = std::string(store::kSoftwareCategory);
  }
  LoadAllSettings();
  launcher_.FillCategoryBar(store::BuildCategoryList(state_.database));

  // Started by hand: shown and held; started with Windows: waits hidden in the tray.
  window_state.held = StartedByHand(GetTickCount64());
  launcher_.logic().SetPinShown(window_state.held);
  ShowWindow(window, window_state.held ? SW_SHOW : SW_HIDE);
  return true;
}

bool App::RunExitSteps() noexcept {
  if (exited_) return false;
  exited_ = true;
  SaveAllSettings();
  single_instance_.Release();
  return true;
}

void App::Exit() noexcept {
  if (RunExitSteps()) PostQuitMessage(0);
}

void App::Restart() noexcept {
  if (!RunExitSteps()) return;
  (void)StartReplacementCopy();
  PostQuitMessage(0);
}

}  // namespace velora::app
