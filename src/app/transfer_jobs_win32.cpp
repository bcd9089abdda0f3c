#include "app/transfer_jobs_win32.h"

#include <chrono>
#include <utility>

#include "store/database.h"
#include "text/fs_path.h"
#include "transfer/chromium_bookmarks.h"
#include "transfer/firefox_bookmarks.h"
#include "transfer/transfer_words.h"

namespace velora::app {
namespace {

constexpr int kStoreBusyWaitMs = 5000;
constexpr auto kProgressAfter = std::chrono::milliseconds(500);
// At exit a job in hand may finish its savepoint; one still queued never starts.
constexpr unsigned kStopMs = 5000;

}  // namespace

transfer::TransferResult CombineImports(const std::vector<transfer::TransferResult>& results) {
  transfer::TransferResult sum;
  bool any_taken = false;
  for (const transfer::TransferResult& r : results) {
    if (!r.ok()) continue;
    any_taken = true;
    sum.imported += r.imported;
    sum.duplicates += r.duplicates;
    sum.left_out += r.left_out;
  }
  if (!any_taken && !results.empty()) return results.front();
  return sum;
}

std::unique_ptr<TransferJobs> TransferJobs::Create(std::filesystem::path store_file, TransferPlaces places,
                                                   TransferJobHooks hooks) {
  std::unique_ptr<core::UiDispatcher> dispatcher = core::UiDispatcher::Create();
  if (!dispatcher) return nullptr;
  return std::unique_ptr<TransferJobs>(
      new TransferJobs(std::move(dispatcher), std::move(store_file), std::move(places), std::move(hooks)));
}

TransferJobs::TransferJobs(std::unique_ptr<core::UiDispatcher> dispatcher, std::filesystem::path store_file,
                           TransferPlaces places, TransferJobHooks hooks)
    : dispatcher_(std::move(dispatcher)),
      store_file_(std::move(store_file)),
      places_(std::move(places)),
      hooks_(std::move(hooks)),
      work_(dispatcher_->Poster(), {"transfer", false, 0, kStopMs}),
      progress_(dispatcher_->Poster(), {"transfer progress", false, 0, 0}) {}

TransferJobs::~TransferJobs() {
  if (!clock_) return;
  // The progress clock stops waiting at once.
  const std::lock_guard<std::mutex> lock(clock_->mutex);
  clock_->done = true;
  clock_->ended.notify_all();
}

void TransferJobs::Toast(core::ToastKind kind, std::string_view text) const {
  if (hooks_.toast) hooks_.toast(kind, text);
}

bool TransferJobs::Start(const TransferRequest& request, const Answer& answer) {
  const bool imports = request.verb != TransferVerb::kExport;
  if (busy_) {
    Toast(core::ToastKind::kFailed, kTransferRunning);
    if (answer) answer({false, std::string(kTransferRunning)});
    return false;
  }
  if (hooks_.before) hooks_.before();
  // The backup is of the store as the panel shows it, made here before the worker touches it.
  bool backed_up = true;
  if (request.verb == TransferVerb::kReplace) backed_up = hooks_.back_up && hooks_.back_up();
  return Launch(
      [request, places = places_, backed_up](store::Database& db) {
        return RunTransfer(db, request, places, [backed_up] { return backed_up; });
      },
      imports, imports ? kImporting : kExporting, answer);
}

bool TransferJobs::StartBookmarks(std::vector<transfer::BookmarkFile> files,
                                  transfer::BookmarkOptions options) {
  if (files.empty()) {
    Toast(core::ToastKind::kFailed, kNoBookmarkFiles);
    return false;
  }
  if (busy_) {
    Toast(core::ToastKind::kFailed, kTransferRunning);
    return false;
  }
  return Launch(
      [files = std::move(files), options = std::move(options)](store::Database& db) {
        std::vector<transfer::TransferResult> results;
        for (const transfer::BookmarkFile& f : files) {
          // A running Firefox locks its file: the copy it is read from goes to the temporary folder.
          std::error_code error;
          const std::filesystem::path scratch = std::filesystem::temp_directory_path(error);
          results.push_back(f.format == transfer::BookmarkFormat::kFirefox
                                ? transfer::ImportFirefoxBookmarks(db, f.file, scratch, options)
                                : transfer::ImportChromiumBookmarks(db, f.file, options));
        }
        const transfer::TransferResult sum = CombineImports(results);
        return TransferReply{sum.ok(), transfer::ImportText(sum)};
      },
      /*imports=*/true, kImporting, nullptr);
}

bool TransferJobs::Launch(std::function<TransferReply(store::Database&)> work, bool imports,
                          std::string_view progress, const Answer& answer) {
  auto clock = std::make_shared<Clock>();
  const bool posted = work_.Post(
      [work = std::move(work), store_file = store_file_, clock] {
        TransferReply reply{false, std::string(kStoreNotOpened)};
        store::Database db;
        if (db.Open(text::PathToUtf8(store_file))) {
          db.SetBusyWait(kStoreBusyWaitMs);
          reply = work(db);
        }
        const std::lock_guard<std::mutex> lock(clock->mutex);
        clock->done = true;
        clock->ended.notify_all();
        return reply;
      },
      [this, imports, answer](const TransferReply& reply) { Done(reply, imports, answer); },
      [] {
        return TransferReply{false, std::string(kStoreNotOpened)};
      });
  if (!posted) {
    Toast(core::ToastKind::kFailed, kStoreNotOpened);
    if (answer) answer({false, std::string(kStoreNotOpened)});
    return false;
  }
  busy_ = true;
  clock_ = clock;
  (void)progress_.Post(
      [clock] {
        std::unique_lock<std::mutex> lock(clock->mutex);
        return !clock->ended.wait_for(lock, kProgressAfter, [&] { return clock->done; });
      },
      [this, clock, progress = std::string(progress)](bool still_running) {
        if (still_running && busy_ && clock_ == clock) Toast(core::ToastKind::kDone, progress);
      },
      [] { return false; });
  return true;
}

void TransferJobs::Done(const TransferReply& reply, bool imports, const Answer& answer) {
  busy_ = false;
  clock_.reset();
  if (reply.ok && imports && hooks_.imported) hooks_.imported();
  Toast(reply.ok ? core::ToastKind::kDone : core::ToastKind::kFailed, reply.text);
  if (answer) answer(reply);
}

}  // namespace velora::app
