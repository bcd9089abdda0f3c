#include "store/groups.h"

#include <algorithm>

#include "store/order_index.h"
#include "store/schema.h"
#include "store/table_builder.h"

namespace velora::store {

bool IsFixedCategory(std::string_view name) {
  return std::find(kFixedCategories.begin(), kFixedCategories.end(), name) != kFixedCategories.end();
}

std::vector<std::string> BuildCategoryList(Database& db) {
  std::vector<std::string> list(kFixedCategories.begin(), kFixedCategories.end());
  Statement tables = db.ListTables();
  while (tables.Step()) {
    std::string name = tables.ColumnText(0);
    if (!IsFixedCategory(name)) list.push_back(std::move(name));
  }
  return list;
}

bool IsAcceptableGroupName(std::string_view name) {
  bool visible = false;
  for (const char c : name) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) return false;
    if (b != ' ') visible = true;
  }
  return visible;
}

GroupOutcome CreateGroup(Database& db, std::string_view name) {
  if (IsAcceptableGroupName(name) &&
      CreateTableFromFieldList(db, name, kItemFieldList) == kFieldListCreated) {
    (void)EnsureOrderIndex(db, name);  // without it the group still lists, only slower
    return GroupOutcome::kCreated;
  }
  return GroupOutcome::kCreateFailed;
}

GroupOutcome RenameGroup(Database& db, std::string_view old_name, std::string_view new_name) {
  if (IsAcceptableGroupName(new_name) && db.RenameTable(old_name, new_name)) {
    return GroupOutcome::kRenamed;
  }
  return GroupOutcome::kRenameFailed;
}

GroupOutcome DeleteGroup(Database& db, std::string_view current_category) {
  if (IsFixedCategory(current_category)) return GroupOutcome::kFixedGroupUndeletable;
  if (db.DropTable(current_category)) return GroupOutcome::kDeleted;
  return GroupOutcome::kDeleteFailed;
}

}  // namespace velora::store
