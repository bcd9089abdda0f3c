#pragma once
// "清空图标": a web item forgets its site icon and shows the image of a cleared cell.
#include <string_view>

#include "exec/image_bytes.h"
#include "store/database.h"

namespace velora::acquire {

// Empties 图标 of the item's rows in `table` and returns the image its cell shows now; empty
// when the store refused, and the cell stays as it was. The icon file stays: other items with
// the same address may show it.
exec::ImageBytes ClearItemIcon(store::Database& db, std::string_view table, std::string_view code);

}  // namespace velora::acquire
