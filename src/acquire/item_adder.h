#pragma once
// Turns one drop-queue entry into an item of the category on show: classifies the path,
// prepares its icon, writes the row in one savepoint and says which grid page to show.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "acquire/drop_queue.h"
#include "acquire/dropped_item.h"
#include "acquire/icon_maker.h"
#include "exec/grid_paging.h"
#include "store/database.h"

namespace velora::acquire {

// What the window knows at the tick that adds.
struct AddSituation {
  std::string category;                   // the table on show
  bool at_end = false;                    // "超级按钮_添加位置" is on: add after every dated item
  int page = 0;                           // the grid's current page
  std::size_t shown_count = 0;            // items of the category when the grid last loaded it
  int per_page = exec::kDefaultCapacity;  // "图表数量"
  std::string now;                        // 日期 text, written only when adding in front
};

enum class AddOutcome {
  kAdded,         // written (a keyed category refreshes an item it already holds)
  kNothingToAdd,  // the entry holds no path
  kNotSaved,      // the store refused the row
};

struct AddResult {
  AddOutcome outcome = AddOutcome::kAdded;
  int page = 0;  // the page the grid shows next; after kAdded it reloads it

  bool operator==(const AddResult&) const = default;
};

class ItemAdder {
 public:
  ItemAdder(store::Database& db, PathFacts& facts, IconMaker& icons)
      : db_(db), facts_(facts), icons_(icons) {}

  AddResult Add(std::string_view entry, const AddSituation& situation);
  // One entry off the head of the queue, for a tick of the queue timer; nothing when it is empty.
  std::optional<AddResult> AddNext(DropQueue& queue, const AddSituation& situation);

 private:
  store::Database& db_;
  PathFacts& facts_;
  IconMaker& icons_;
};

}  // namespace velora::acquire
