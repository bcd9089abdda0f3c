#include "ui/item_launcher.h"

#include "exec/item_kind.h"
#include "exec/launch.h"
#include "exec/suffix_icon.h"
#include "text/date.h"
#include "ui/feedback.h"
#include "ui/toast_texts.h"

namespace velora::ui {

ItemLauncher::ItemLauncher(HWND panel, std::function<bool()> held, const settings::Options& options,
                           Feedback& feedback, store::Database& db, desktop::LaunchSetup setup,
                           core::UiPoster ui)
    : panel_(panel),
      held_(std::move(held)),
      options_(options),
      feedback_(feedback),
      db_(db),
      setup_(std::move(setup)),
      ui_(std::move(ui)) {}

ItemLauncher::~ItemLauncher() = default;

desktop::LaunchEffectsWin32& ItemLauncher::effects() {
  if (!effects_) {
    desktop::LaunchPanel& panel = *this;  // a private base: converted here, not inside make_unique
    effects_ = std::make_unique<desktop::LaunchEffectsWin32>(panel, db_, setup_, ui_);
  }
  return *effects_;
}

void ItemLauncher::CaptureSelection() { captured_selection_ = effects().CaptureSelection(); }

void ItemLauncher::TakeLateCopy() {
  if (!effects_) return;
  if (std::optional<std::string> text = effects_->TakeLateCopy()) captured_selection_ = std::move(*text);
}

void ItemLauncher::OpenShortcutTarget(std::string link) { effects().OpenShortcutTarget(std::move(link)); }

std::string ItemLauncher::ClipboardText() { return effects().ClipboardText(); }

bool ItemLauncher::PutPictureOnClipboard(const std::string& path) {
  // An animated picture goes in the forms that keep it moving where it is pasted.
  return exec::AsciiLower(exec::PathExtension(path)) == ".gif" ? effects().PutGif(path)
                                                               : effects().PutPicture(path);
}

bool ItemLauncher::PutFileOnClipboard(const std::string& path) { return effects().PutFile(path); }

void ItemLauncher::Launch(const exec::LaunchTarget& target) {
  TakeLateCopy();
  exec::LaunchSituation situation;
  situation.stamp_date = options_.launch_to_front;
  if (situation.stamp_date) situation.date = text::NowText();
  situation.held = held_();
  situation.search_with_clipboard = search_with_clipboard_;
  situation.captured_selection = captured_selection_;
  situation.press_ms = target.press_ms;
  situation.now_ms = GetTickCount64();
  exec::Launch(target, situation, effects());
}

void ItemLauncher::HideTip() { feedback_.ShowTip(false, ""); }

void ItemLauncher::Report(core::ToastKind kind, std::string_view text) { feedback_.ShowToast(kind, text); }

void ItemLauncher::ConfirmSnippetCopied() { feedback_.ShowToast(core::ToastKind::kDone, kSnippetCopied); }

}  // namespace velora::ui
