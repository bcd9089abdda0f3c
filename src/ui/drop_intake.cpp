#include "ui/drop_intake.h"

#include "acquire/adder_words.h"
#include "desktop/dropped_files_win32.h"
#include "text/date.h"
#include "ui/feedback.h"

namespace velora::ui {

DropIntake::DropIntake(store::Database& db, const std::filesystem::path& data_dir, Feedback& feedback)
    : feedback_(feedback), icon_cache_(data_dir), adder_(db, path_facts_, icon_cache_) {}

void DropIntake::Take(HDROP drop) {
  if (acquire::QueueDroppedPaths(queue_, desktop::TakeDroppedFiles(drop)) > 0) {
    feedback_.ShowToast(ToastKind::kFailed, acquire::kPathTooLong);
  }
}

std::optional<int> DropIntake::AddNext(const std::string& category, const exec::GridModel& shown,
                                       bool at_end) {
  if (queue_.Count() == 0) return std::nullopt;
  acquire::AddSituation situation;
  situation.category = category;
  situation.at_end = at_end;
  situation.page = shown.page();
  situation.shown_count = shown.item_count();
  situation.per_page = shown.capacity();
  situation.now = text::NowText();
  const std::optional<acquire::AddResult> result = adder_.AddNext(queue_, situation);
  if (!result) return std::nullopt;
  if (result->outcome == acquire::AddOutcome::kNotSaved)
    feedback_.ShowToast(ToastKind::kFailed, acquire::kItemNotSaved);
  if (result->outcome != acquire::AddOutcome::kAdded) return std::nullopt;
  return result->page;
}

}  // namespace velora::ui
