#pragma once
// Work that can block (a shell open, a download, a folder on a share that does not answer) runs
// off the UI thread: the queue's one worker takes its jobs in order, and what a job returns
// comes back to the UI thread through the dispatcher. Ending the queue never waits longer than
// it was set to: a job stuck in a system call is left to the end of the process.
#include <functional>
#include <memory>
#include <thread>
#include <type_traits>
#include <utility>

#include "core/guarded.h"
#include "core/ui_dispatcher_win32.h"

namespace velora::core {

struct WorkQueueSetup {
  const char* name = "work queue";  // names the jobs when one throws; static text
  // A single-threaded COM apartment on the worker for its whole life, as shell objects want.
  bool com_apartment = false;
  // When the queue ends: how long the jobs already queued may still run, then how long the job
  // in hand may take before it is left running.
  unsigned finish_ms = 0;
  unsigned stop_ms = 0;
};

struct WorkQueueState;

// What a job may ask while it runs: false once a later Replace superseded it or the queue ended,
// so that a long job can stop early. A result is handed over only while this holds.
class WorkTicket {
 public:
  WorkTicket(std::shared_ptr<WorkQueueState> state, unsigned generation)
      : state_(std::move(state)), generation_(generation) {}
  bool Current() const;

 private:
  std::shared_ptr<WorkQueueState> state_;
  unsigned generation_;
};

class WorkQueue {
 public:
  WorkQueue(UiPoster ui, WorkQueueSetup setup);
  ~WorkQueue();
  WorkQueue(const WorkQueue&) = delete;
  WorkQueue& operator=(const WorkQueue&) = delete;

  // Runs `job` after the jobs posted before it. False when no worker could be started.
  [[nodiscard]] bool Post(std::function<void()> job);
  // Also hands what `job` returns (what `fallback` returns when it threw) to `done` on the UI
  // thread, while the job is current. `job` may take a `const WorkTicket&`.
  template <typename Job, typename Done, typename Fallback>
  [[nodiscard]] bool Post(Job job, Done done, Fallback fallback) {
    return Enqueue(false, Deliver(std::move(job), std::move(done), std::move(fallback)));
  }
  // As Post, superseding every job posted before: those still queued never run, and no result
  // of theirs reaches the UI thread.
  template <typename Job, typename Done, typename Fallback>
  [[nodiscard]] bool Replace(Job job, Done done, Fallback fallback) {
    return Enqueue(true, Deliver(std::move(job), std::move(done), std::move(fallback)));
  }

  // A job is queued or in hand.
  bool Busy() const;
  // Every job posted so far has run; false when `milliseconds` passed first.
  bool WaitUntilIdle(unsigned milliseconds);

  // A job as the worker runs it: what it gives back is run on the UI thread (nothing when empty).
  using Run = std::function<std::function<void()>(const WorkTicket&)>;

 private:
  template <typename Job, typename Done, typename Fallback>
  Run Deliver(Job job, Done done, Fallback fallback) {
    return [where = setup_.name, job = std::move(job), done = std::move(done),
            fallback = std::move(fallback)](const WorkTicket& ticket) mutable -> std::function<void()> {
      auto result = Guarded(
          where,
          [&] {
            if constexpr (std::is_invocable_v<Job&, const WorkTicket&>) {
              return job(ticket);
            } else {
              return job();
            }
          },
          fallback);
      return [done, result = std::move(result)]() mutable { done(std::move(result)); };
    };
  }
  [[nodiscard]] bool Enqueue(bool supersede, Run run);

  WorkQueueSetup setup_;
  std::shared_ptr<WorkQueueState> state_;
  std::thread worker_;
};

}  // namespace velora::core
