#pragma once
// The category list the bar draws, and the store side of creating, renaming and deleting groups.
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"

namespace velora::store {

// The seven fixed categories first (also when their tables are missing), then every other table
// in schema order. Each name is one entry, whatever characters it holds.
std::vector<std::string> BuildCategoryList(Database& db);

// What a group operation did; the window words it.
enum class GroupOutcome {
  kCreated,
  kCreateFailed,
  kRenamed,
  kRenameFailed,
  kDeleted,
  kDeleteFailed,
  kFixedGroupUndeletable,  // the seven fixed categories are never dropped
};

// Whether the database's list of groups changed.
constexpr bool Changed(GroupOutcome outcome) {
  return outcome == GroupOutcome::kCreated || outcome == GroupOutcome::kRenamed ||
         outcome == GroupOutcome::kDeleted;
}

// A name needs a visible character and no control characters; quoting takes care of the rest.
bool IsAcceptableGroupName(std::string_view name);

GroupOutcome CreateGroup(Database& db, std::string_view name);
GroupOutcome RenameGroup(Database& db, std::string_view old_name, std::string_view new_name);
// Acts on the shown category; the fixed ones are refused.
GroupOutcome DeleteGroup(Database& db, std::string_view current_category);

}  // namespace velora::store
