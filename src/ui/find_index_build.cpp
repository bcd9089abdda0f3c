#include "ui/find_index_build.h"

#include "exec/item_kind.h"
#include "exec/item_texts.h"
#include "store/groups.h"
#include "store/items.h"

namespace velora::ui {

std::unique_ptr<find::FindIndex> BuildFindIndex(store::Database& store, const store::LaunchCounts& counts,
                                                long long now_unix) {
  auto index = std::make_unique<find::FindIndex>();
  for (const std::string& category : store::BuildCategoryList(store)) {
    for (auto& [code, name] : store::ListCodesAndNames(store, category)) {
      const exec::ClassifiedCode kind = exec::KindOfCode(code);
      const std::string_view path = exec::IsFileKind(kind.kind) ? kind.payload : std::string_view();
      int usage = 0;
      if (const auto found = counts.find(std::pair(category, code)); found != counts.end()) {
        usage = find::UsageBonus(found->second.count, found->second.last_unix, now_unix);
      }
      index->Add(category, std::move(code), exec::CaptionOfName(name), find::FileNameOf(path), usage);
    }
  }
  return index;
}

}  // namespace velora::ui
