#include "acquire/item_adder.h"

#include "acquire/icon_key.h"
#include "store/items.h"
#include "text/path_code.h"

namespace velora::acquire {

AddResult ItemAdder::Add(std::string_view entry, const AddSituation& situation) {
  const std::string path = text::PathFromCode(entry);
  if (path.empty()) return {AddOutcome::kNothingToAdd, situation.page};
  const DroppedItem item = ClassifyDropped(path, facts_);

  // The icon file is on disk before the row that names it is written.
  std::string icon;
  if (item.icon == IconSource::kProgramIcon) {
    icon = IconKey(item.path);
    (void)icons_.MakeProgramIcon(item.path, icon);  // without one the cell shows no image
  } else if (item.icon == IconSource::kThumbnail) {
    icon = icons_.PictureThumbnailHex(item.path);
  }

  // Every column is written, so dropping a stored file again refreshes all of its item; 日期
  // only in front, so an item added at the end sorts after every dated one.
  std::optional<std::string> date;
  if (!situation.at_end) date = situation.now;
  const store::ItemRow row{.code = std::string(entry),
                           .path = item.path,
                           .name = item.name,
                           .suffix = item.suffix,
                           .icon = std::move(icon),
                           .date = std::move(date)};
  if (!store::AddItem(db_, situation.category, row)) return {AddOutcome::kNotSaved, situation.page};
  return {AddOutcome::kAdded,
          situation.at_end ? exec::LastPage(situation.shown_count, situation.per_page) : 0};
}

std::optional<AddResult> ItemAdder::AddNext(DropQueue& queue, const AddSituation& situation) {
  std::optional<std::string> entry = queue.Take();
  if (!entry) return std::nullopt;
  return Add(*entry, situation);
}

}  // namespace velora::acquire
