#pragma once
// The category list the bar draws, and the store side of creating, renaming and deleting groups.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"
#include "core/toast_kind.h"

namespace velora::store {

// The seven fixed categories first (also when their tables are missing), then every other table
// in schema order. Each name is one entry, whatever characters it holds.
std::vector<std::string> BuildCategoryList(Database& db);

// What a group operation did, and the toast the window shows for it, if any.
struct GroupOutcome {
  bool changed = false;
  std::optional<core::ToastKind> toast_kind;
  std::string_view toast_text;
};

inline constexpr std::string_view kCreateGroupFailed = "创建分组失败";
inline constexpr std::string_view kRenameGroupFailed = "修改名称失败";
inline constexpr std::string_view kFixedGroupUndeletable = "初始分组框无法删除";
inline constexpr std::string_view kGroupDeleted = "删除分组完成";
inline constexpr std::string_view kDeleteGroupFailed = "删除分组失败";

// A name needs a visible character and no control characters; quoting takes care of the rest.
bool IsAcceptableGroupName(std::string_view name);

GroupOutcome CreateGroup(Database& db, std::string_view name);
GroupOutcome RenameGroup(Database& db, std::string_view old_name, std::string_view new_name);
// Acts on the shown category; the fixed ones are refused.
GroupOutcome DeleteGroup(Database& db, std::string_view current_category);

}  // namespace velora::store
