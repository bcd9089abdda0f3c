#include "exec/lookup_worker.h"

#include "core/guarded.h"

namespace velora::exec {

LookupWorker::~LookupWorker() {
  if (thread_.joinable()) thread_.join();
}

bool LookupWorker::Start(Lookup lookup, Sink sink) {
  if (busy_.exchange(true)) return false;
  // The previous lookup has delivered and is about to end.
  if (thread_.joinable()) thread_.join();
  try {
    thread_ = std::thread([this, lookup = std::move(lookup), sink = std::move(sink)] {
      // Nothing may leave the worker: a failed lookup delivers an empty result, a failed
      // delivery is lost as a failed lookup's would be.
      std::string result = core::Guarded(
          "address lookup", [&] { return lookup(); }, [] { return std::string(); });
      core::Guarded("address lookup delivery", [&] { sink(std::move(result)); });
      busy_.store(false);
    });
  } catch (...) {
    busy_.store(false);
    return false;
  }
  return true;
}

}  // namespace velora::exec
