#include "ui/find_catalogue.h"

#include <chrono>

#include "core/log_file.h"
#include "find/matcher.h"
#include "store/launch_counts.h"
#include "text/fs_path.h"
#include "ui/find_index_build.h"

namespace velora::ui {
namespace {

constexpr int kStoreBusyWaitMs = 5000;
constexpr unsigned kFinishMs = 0;
constexpr unsigned kStopMs = 2000;

long long NowUnix() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

FindCatalogue::FindCatalogue(store::Database& store, std::filesystem::path store_file,
                             std::filesystem::path counts_file, core::UiPoster ui)
    : store_(store),
      store_file_(std::move(store_file)),
      counts_file_(std::move(counts_file)),
      builds_(std::move(ui), {"find index", false, kFinishMs, kStopMs}) {}

void FindCatalogue::Refresh() {
  const store::ContentVersion version = store_.Version();
  if (built_for_ == version) return;
  built_for_ = version;
  using Built = std::shared_ptr<find::FindIndex>;
  const bool posted = builds_.Replace(
      [store_file = store_file_, counts_file = counts_file_](const core::WorkTicket&) -> Built {
        store::Database store;
        if (!store.Open(text::PathToUtf8(store_file), store::Database::kOpenReadOnly)) return nullptr;
        store.SetBusyWait(kStoreBusyWaitMs);
        store::LaunchCounts counts;
        if (store::Database file; file.Open(text::PathToUtf8(counts_file), store::Database::kOpenReadOnly)) {
          counts = store::ReadLaunchCounts(file);
        }
        return BuildFindIndex(store, counts, NowUnix());
      },
      [this](Built built) {
        if (!built) {
          built_for_.reset();  // asked again at the next keystroke
          return;
        }
        index_ = std::move(built);
        if (on_built) on_built();
      },
      [] { return Built(); });
  if (!posted) built_for_.reset();
}

std::vector<exec::FoundItem> FindCatalogue::Find(std::string_view typed, std::size_t limit) {
  std::vector<exec::FoundItem> found;
  if (!index_) return found;
  for (const find::FindHit& hit : index_->Query(find::FoldedQuery(typed), limit)) {
    const find::FindEntry& entry = index_->entries()[hit.entry];
    found.push_back({entry.category, entry.code});
  }
  return found;
}

void FindCatalogue::CountLaunch(const std::string& category, const std::string& code) {
  if (!counts_.IsOpen() && !store::OpenLaunchCounts(counts_, text::PathToUtf8(counts_file_))) {
    core::LogFailure("launch counts",
                     "the counts file could not be opened: " + text::PathToUtf8(counts_file_));
    return;
  }
  (void)store::RecordLaunchCount(counts_, category, code, NowUnix());  // ranking only: a miss is harmless
}

}  // namespace velora::ui
