#pragma once
// Files dropped on the panel from the shell: queued as they come, added one per tick of the
// window's queue timer as items of the category on show, programs with their own icons.
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <filesystem>
#include <optional>
#include <string>

#include "acquire/drop_queue.h"
#include "acquire/icon_cache_win32.h"
#include "acquire/item_adder.h"
#include "acquire/shell_path_facts_win32.h"
#include "exec/grid_model.h"
#include "store/database.h"

namespace velora::ui {

class Feedback;

class DropIntake {
 public:
  DropIntake(store::Database& db, const std::filesystem::path& data_dir, Feedback& feedback);

  // Queues the names a shell drop carries; one too long to store is refused with a toast.
  void Take(HDROP drop);
  // Adds the next queued file to the category on show; the page it landed on, or nothing when
  // the queue is empty or nothing was added (a refusal is toasted).
  std::optional<int> AddNext(const std::string& category, const exec::GridModel& shown, bool at_end);

 private:
  Feedback& feedback_;
  acquire::DropQueue queue_;
  acquire::ShellPathFacts path_facts_;
  acquire::IconCache icon_cache_;
  acquire::ItemAdder adder_;
};

}  // namespace velora::ui
