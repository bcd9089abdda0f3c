// The App's share of export and import: what a command handed over from outside does on the
// running copy's own store, what the about page asks for, and what the panel then shows.
#include <windows.h>
// After windows.h, whose types it uses.
#include <knownfolders.h>

#include "app/app.h"
#include "app/restart_win32.h"
#include "app/transfer_command_win32.h"
#include "settings/settings.h"
#include "text/date.h"
#include "text/fs_path.h"
#include "text/utf.h"

namespace velora::app {

TransferPlaces App::Places() const {
  return {MachineRoots(std::filesystem::path(ExecutablePath()).parent_path().wstring()), settings_file_};
}

void App::AfterImport() {
  LoadOptions();
  launcher_->LoadControlStates(settings_file_);
  ReloadStore();
}

void App::TransferForCommand(const TransferRequest& request, const TransferRequests::Answer& answer) {
  if (!launcher_ || !launcher_->hwnd() || settings_file_.empty()) {
    answer({false, std::string(kRunningCopySilent)});  // still starting: nothing to show it in yet
    return;
  }
  TransferJobs* jobs = Transfers();
  if (!jobs) {
    answer({false, std::string(kStoreNotOpened)});
    return;
  }
  jobs->Start(request, answer);
}

TransferJobs* App::Transfers() {
  if (transfer_jobs_) return transfer_jobs_.get();
  TransferJobHooks hooks;
  hooks.before = [this] { SaveAllSettings(); };
  hooks.back_up = [this] {
    if (!store_.BackUp()) return false;
    launcher_->BackupsChanged();
    return true;
  };
  hooks.imported = [this] { AfterImport(); };
  hooks.toast = [this](ui::ToastKind kind, std::string_view text) { launcher_->ShowToast(kind, text); };
  transfer_jobs_ = TransferJobs::Create(store_.store_file(), Places(), std::move(hooks));
  if (!transfer_jobs_) launcher_->ShowToast(ui::ToastKind::kFailed, kStoreNotOpened);
  return transfer_jobs_.get();
}

void App::AddTransferActions(ui::SettingsActions& a) {
  a.export_catalogue = [this](const std::filesystem::path& file) {
    if (TransferJobs* jobs = Transfers()) jobs->Start({TransferVerb::kExport, text::PathToUtf8(file)});
  };
  a.import_catalogue = [this](const std::filesystem::path& file, bool replace) {
    const TransferVerb verb = replace ? TransferVerb::kReplace : TransferVerb::kMerge;
    if (TransferJobs* jobs = Transfers()) jobs->Start({verb, text::PathToUtf8(file)});
  };
  a.import_bookmarks = [this] { ImportBrowserBookmarks(); };
}

void App::ImportBrowserBookmarks() {
  TransferJobs* jobs = Transfers();
  if (!jobs) return;
  // Every profile found is imported: repeats across browsers are skipped as duplicates.
  transfer::BookmarkOptions options;
  options.at_end = launcher_->AddsAtEnd();
  options.now = text::NowText();
  jobs->StartBookmarks(
      transfer::FindBookmarkFiles(KnownFolder(FOLDERID_LocalAppData), KnownFolder(FOLDERID_RoamingAppData)),
      std::move(options));
}

}  // namespace velora::app
