#include "exec/lookup_worker.h"

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
      std::string result;
      try {
        result = lookup();
      } catch (...) {
        result.clear();
      }
      try {
        sink(std::move(result));
      } catch (...) {
        // Nothing may leave the worker; the result is lost, as a failed lookup's would be.
      }
      busy_.store(false);
    });
  } catch (...) {
    busy_.store(false);
    return false;
  }
  return true;
}

}  // namespace velora::exec
