#pragma once
// Browser bookmarks become items as the add-bookmark panel makes them.
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"
#include "store/schema.h"
#include "transfer/outcome.h"

namespace velora::transfer {

struct Bookmark {
  std::string address;
  std::string title;

  bool operator==(const Bookmark&) const = default;
};

struct BookmarkOptions {
  std::string category{store::kBookmarkCategory};
  bool at_end = false;  // "超级按钮_添加位置" is on: undated, after every dated item
  std::string now;      // 日期 text, written only when adding in front
};

// http, https, ftp and file addresses (the scheme's letter case ignored); browser-internal pages,
// scripts and saved searches are not items.
bool IsImportableAddress(std::string_view address);

// In one savepoint, each bookmark as a "网址" code with its title as 名称 (the address when it has
// none) and 后缀 "书签", dated `now` unless added at the end, in the given order (equal dates list
// in the order added). Addresses the category already holds and repeats are skipped, addresses
// IsImportableAddress refuses are left out. A missing category is created.
TransferResult AddBookmarks(store::Database& db, const std::vector<Bookmark>& bookmarks,
                            const BookmarkOptions& options);

}  // namespace velora::transfer
