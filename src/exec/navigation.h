#pragma once
// Where the panel stands in the catalogue: the category on show, its page and how many cells a
// page holds. One value, owned by the launcher window: the grid model reads and turns it, the
// category bar shows its category, and nothing else keeps a copy that could disagree.
#include <string>

#include "exec/grid_paging.h"

namespace velora::exec {

struct Navigation {
  std::string category;  // the table the grid shows
  int page = 0;
  // As the settings file or the grid's size gave it; the grid model keeps it in bounds.
  int capacity = kDefaultCapacity;
};

}  // namespace velora::exec
