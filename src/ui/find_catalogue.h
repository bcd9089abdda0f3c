#pragma once
// What finding by typing searches: an index of every item, built by a worker from a connection of
// its own (at the first query, and again whenever the store's content moved since the last
// build), and the launch counts that rank it, kept in a file beside the store.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/work_queue_win32.h"
#include "exec/grid_model.h"
#include "find/find_index.h"
#include "store/database.h"

namespace velora::ui {

class FindCatalogue {
 public:
  // `store` is the program's connection, asked only whether the content moved; `store_file` is
  // read by the worker; the counts live in `counts_file`.
  FindCatalogue(store::Database& store, std::filesystem::path store_file, std::filesystem::path counts_file,
                core::UiPoster ui);

  // Starts a build when the store changed since the last one began (or none did); cheap otherwise.
  void Refresh();
  // The connection was opened anew: its versions say nothing of the last build's.
  void StoreReplaced() {
    built_for_.reset();
    Refresh();
  }
  // Until the first build is in, nothing is found.
  bool ready() const { return index_ != nullptr; }
  // The best matches for the typed text, best first.
  std::vector<exec::FoundItem> Find(std::string_view typed, std::size_t limit);
  // One more launch of the item, for the next build's ranking.
  void CountLaunch(const std::string& category, const std::string& code);

  // A build is in: what is on show may be found again.
  std::function<void()> on_built;

 private:
  store::Database& store_;
  std::filesystem::path store_file_;
  std::filesystem::path counts_file_;
  store::Database counts_;  // opened at the first launch counted
  std::shared_ptr<find::FindIndex> index_;
  std::optional<store::ContentVersion> built_for_;
  core::WorkQueue builds_;  // last: its worker may still hand a build over while it ends
};

}  // namespace velora::ui
