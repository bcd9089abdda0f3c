#include "app/app.h"

#include "app/first_run.h"
#include "app/resource_ids.h"
#include "app/restart_win32.h"
#include "app/transfer_command_win32.h"
#include "core/log_file.h"
#include "store/groups.h"
#include "store/schema.h"
#include "text/fs_path.h"
#include "text/utf.h"
#include "toolkit/category_bar.h"
#include "ui/toast_texts.h"

namespace velora::app {
namespace {

// A file the program carries as an RCDATA resource, mapped with the module for the whole run;
// empty when it is missing.
std::string_view CarriedFile(HINSTANCE instance, int id) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const char*>(bytes), SizeofResource(instance, found)};
}

}  // namespace

int App::Run(const std::wstring& command_line) {
  // An export or import from the command line builds no window.
  if (const ParsedCommand command = TransferCommandOf(command_line); command.request || command.misused) {
    return RunTransferCommand(instance_, command, CarriedFile(instance_, IDR_FLIPIT));
  }
  WaitForPredecessor(command_line);
  if (!gdiplus_.ok()) {
    MessageBoxW(nullptr, text::Widen(kGdiplusFailed).c_str(), ui::kLauncherTitle, MB_ICONERROR | MB_OK);
    return 1;
  }
  // A second copy hands over before it builds anything.
  if (!single_instance_.Acquire()) {
    BringRunningCopyForward(nullptr, ui::kLauncherClass, ui::kLauncherTitle);
    return 0;
  }
  OpenDataFolder();
  const settings::Options& options = options_.get();
  launcher_.emplace(ui::LauncherServices{options_,
                                         store_.database(),
                                         {data_directory_, store_.store_file()},
                                         {ScreensaverPath(data_directory_), options.external_address_host},
                                         BuildSettingsActions(),
                                         std::string(kVersionCaption)});
  if (!launcher_->Create(instance_, *this, gdiplus_, {options.window_width, options.window_height})) return 1;

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (launcher_->MoveFocusByTab(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // The windows go while the whole program is alive; the launcher takes its tip window along.
  launcher_->Destroy();
  return 0;
}

void App::OpenDataFolder() {
  data_directory_ = DataDirectory(std::filesystem::path(ExecutablePath()).parent_path());
  (void)PrepareDataDirectory(data_directory_, CarriedFile(instance_, IDR_FLIPIT));
  core::SetProcessLog(std::make_shared<core::LogFile>(data_directory_ / kLogFileName));
  store_.Open(DatabasePath(data_directory_), store::BackupFolder(data_directory_));
  store_.on_changed = [this] { ReloadStore(); };
  LoadOptions();
  // Commands started while this copy runs hand their work over to it.
  (void)transfer_requests_.Listen(
      instance_, std::filesystem::path(ExecutablePath()).parent_path().wstring(),
      [this](const TransferRequest& request, const TransferRequests::Answer& answer) {
        TransferForCommand(request, answer);
      });
}

bool App::OnLauncherCreate(HWND window) {
  // The first category is shown, its bar cell selected.
  launcher_->FillCategoryBar(store::BuildCategoryList(store_.database()));
  mouse_hook_ =
      desktop::MouseHook::Install(window, ui::LauncherWindow::MouseEventMessage(), ui::WantedMouseEvents());

  // Started by hand: shown and held; started with Windows: waits hidden in the tray.
  launcher_->ShowAtStart(StartedByHand(GetTickCount64()));
  return true;
}

void App::OnLauncherShown() {
  // What the first look of the panel does not need: the tray icon (the shell may take its time;
  // without a shell the program still runs, reachable by its hotkey and gestures), every
  // control's state, the window icons.
  (void)tray_.Add(launcher_->hwnd(), instance_, IDI_VELORA, "Velora");
  tray_.Attach([this](unsigned code) { return OnTrayEvent(code); });
  LoadControlStates();
  for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    const int size = GetSystemMetrics(metric);
    const auto icon = LoadImageW(instance_, MAKEINTRESOURCEW(IDI_VELORA), IMAGE_ICON, size, size, LR_SHARED);
    SendMessageW(launcher_->hwnd(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
}

void App::OnStartupComplete() {
  if (store_.BackUpForToday()) launcher_->BackupsChanged();
  ReportStoreProblem();
}

bool App::RunExitSteps() noexcept {
  if (exited_) return false;
  exited_ = true;
  SaveAllSettings();
  single_instance_.Release();
  mouse_hook_.reset();
  tray_.Remove();
  return true;
}

void App::OnSessionEnding() {
  // Log-off and shutdown end the process without Exit: keep what the user set now.
  SaveAllSettings();
}

void App::OnMenuCommand(ui::MenuCommand command) {
  switch (command) {
    case ui::MenuCommand::kExit:
      Exit();
      break;
    case ui::MenuCommand::kRestart:
      Restart();
      break;
    case ui::MenuCommand::kDeleteGroup:
      DeleteGroup();
      break;
    default:
      break;
  }
}

LRESULT App::OnTrayEvent(unsigned code) {
  launcher_->TrayClick(code);
  return 0;
}

void App::ReportStoreProblem() {
  if (!store_.damaged_store().empty()) return OfferBackupForDamagedStore();
  const store::OpenOutcome outcome = store_.outcome();
  if (outcome == store::OpenOutcome::kOpened) return;
  const std::string text = ui::StoreProblemText(outcome, text::PathToUtf8(store_.store_file()));
  MessageBoxW(launcher_->hwnd(), text::Widen(text).c_str(), ui::kLauncherTitle,
              (outcome == store::OpenOutcome::kReadOnly ? MB_ICONWARNING : MB_ICONERROR) | MB_OK);
}

void App::Exit() noexcept {
  if (RunExitSteps()) PostQuitMessage(0);
}

void App::Restart() noexcept {
  if (!RunExitSteps()) return;
  (void)StartReplacementCopy();
  PostQuitMessage(0);
}

void App::Report(store::GroupOutcome outcome) {
  if (const std::optional<ui::Toast> toast = ui::GroupToast(outcome)) {
    launcher_->ShowToast(toast->kind, toast->text);
  }
}

void App::DeleteGroup() {
  const std::string shown = launcher_->shown_category();
  // A group's items go with its table: keep a copy first, or keep the group.
  if (!store::IsFixedCategory(shown) && store_.database().TableExists(shown) && !BackUpBeforeBulkRemoval()) {
    return;
  }
  const store::GroupOutcome outcome = store::DeleteGroup(store_.database(), shown);
  Report(outcome);
  // A deleted group on show gives way to the first category.
  launcher_->FillCategoryBar(store::BuildCategoryList(store_.database()));
}

}  // namespace velora::app
