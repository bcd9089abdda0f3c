// The App's share of export and import: what a command handed over from outside does on the
// running copy's own store, and what the panel then shows.
#include "app/app.h"
#include "app/restart_win32.h"
#include "app/transfer_command_win32.h"
#include "settings/settings.h"

namespace velora::app {

TransferReply App::TransferForCommand(const TransferRequest& request) {
  if (!launcher_ || !launcher_->hwnd() || settings_file_.empty()) {
    return {false, std::string(kRunningCopySilent)};  // still starting: nothing to show it in yet
  }
  // The settings file holds what the panel shows now: an export carries it, and an import's keys
  // join it rather than being overwritten at the next save.
  SaveAllSettings();
  bool backed_up = false;
  const TransferPlaces places{MachineRoots(std::filesystem::path(ExecutablePath()).parent_path().wstring()),
                              settings_file_};
  TransferReply reply = RunTransfer(store_.database(), request, places, [&] {
    backed_up = store_.BackUp();
    return backed_up;
  });
  if (backed_up) launcher_->BackupsChanged();
  if (reply.ok && request.verb != TransferVerb::kExport) {
    // The imported settings apply as they would at a start; the bar and the grid read the store.
    LoadOptions();
    launcher_->LoadControlStates(settings_file_);
    ReloadStore();
  }
  launcher_->ShowToast(reply.ok ? ui::ToastKind::kDone : ui::ToastKind::kFailed, reply.text);
  return reply;
}

}  // namespace velora::app
