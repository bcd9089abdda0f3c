#include "core/work_queue_win32.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "core/com_apartment_win32.h"
#include "core/log_file.h"

namespace velora::core {

// Shared with the worker, which outlives the queue when its job is stuck.
struct WorkQueueState {
  struct Job {
    unsigned generation = 0;
    WorkQueue::Run run;
  };

  WorkQueueState(UiPoster poster, WorkQueueSetup queue_setup) : ui(std::move(poster)), setup(queue_setup) {}
  bool Current(unsigned generation) {
    std::lock_guard lock(mutex);
    return !ending && generation >= floor;
  }
  bool Idle() const { return jobs.empty() && !busy; }

  const UiPoster ui;
  const WorkQueueSetup setup;
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<Job> jobs;
  unsigned issued = 0;  // the newest job's generation
  unsigned floor = 0;   // jobs older than this one were superseded
  bool busy = false;    // a job is in hand
  bool ending = false;
};

namespace {

void Work(const std::shared_ptr<WorkQueueState>& state) {
  Guarded(state->setup.name, [&] {
    std::optional<ComApartment> com;
    if (state->setup.com_apartment) com.emplace(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    for (;;) {
      WorkQueueState::Job job;
      {
        std::unique_lock lock(state->mutex);
        state->changed.wait(lock, [&] { return state->ending || !state->jobs.empty(); });
        if (state->jobs.empty()) return;  // ending
        job = std::move(state->jobs.front());
        state->jobs.pop_front();
        state->busy = true;
      }
      const WorkTicket ticket(state, job.generation);
      std::function<void()> deliver = Guarded(
          state->setup.name, [&] { return job.run(ticket); }, [] { return std::function<void()>(); });
      job.run = nullptr;
      {
        // Free before the UI thread hears of it, so that it may post the next job at once.
        std::lock_guard lock(state->mutex);
        state->busy = false;
      }
      state->changed.notify_all();
      // Checked again on the UI thread: a job may be superseded while its result is on the way.
      if (deliver && ticket.Current()) {
        (void)state->ui.Post([ticket, deliver = std::move(deliver)] {
          if (ticket.Current()) deliver();
        });
      }
    }
  });
}

}  // namespace

bool WorkTicket::Current() const { return state_->Current(generation_); }

WorkQueue::WorkQueue(UiPoster ui, WorkQueueSetup setup)
    : setup_(setup), state_(std::make_shared<WorkQueueState>(std::move(ui), setup)) {}

WorkQueue::~WorkQueue() {
  if (worker_.joinable() && setup_.finish_ms) (void)WaitUntilIdle(setup_.finish_ms);
  std::deque<WorkQueueState::Job> dropped;
  {
    std::lock_guard lock(state_->mutex);
    state_->ending = true;
    dropped.swap(state_->jobs);
  }
  state_->changed.notify_all();
  dropped.clear();
  if (!worker_.joinable()) return;
  std::unique_lock lock(state_->mutex);
  const bool idle = state_->changed.wait_for(lock, std::chrono::milliseconds(setup_.stop_ms),
                                             [this] { return state_->Idle(); });
  lock.unlock();
  if (idle) {
    worker_.join();
  } else {
    worker_.detach();  // stuck in a system call: it keeps its state alive and hands nothing over
  }
}

bool WorkQueue::Post(std::function<void()> job) {
  return Enqueue(false, [job = std::move(job)](const WorkTicket&) -> std::function<void()> {
    job();
    return {};
  });
}

bool WorkQueue::Enqueue(bool supersede, Run run) {
  if (!worker_.joinable()) {
    try {
      worker_ = std::thread([state = state_] { Work(state); });
    } catch (...) {
      LogFailure(setup_.name, "no worker thread could be started");
      return false;
    }
  }
  std::deque<WorkQueueState::Job> dropped;
  {
    std::lock_guard lock(state_->mutex);
    const unsigned generation = ++state_->issued;
    if (supersede) {
      state_->floor = generation;
      dropped.swap(state_->jobs);
    }
    state_->jobs.push_back({generation, std::move(run)});
  }
  state_->changed.notify_all();
  return true;
}

bool WorkQueue::Busy() const {
  std::lock_guard lock(state_->mutex);
  return !state_->Idle();
}

bool WorkQueue::WaitUntilIdle(unsigned milliseconds) {
  std::unique_lock lock(state_->mutex);
  return state_->changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                  [this] { return state_->Idle(); });
}

}  // namespace velora::core
