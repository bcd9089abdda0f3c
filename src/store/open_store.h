#pragma once
// Opening the item store at start-up, and what went wrong when it could not be used. A store
// that cannot be used is left exactly as it is: it is never created, replaced or repaired here.
#include <string>

#include "store/database.h"

namespace velora::store {

enum class OpenOutcome {
  kOpened,
  kReadOnly,   // readable; additions and changes cannot be saved
  kMissing,    // no file (the first run could not write one)
  kLocked,     // another program holds it
  kDamaged,    // not a database, or a damaged one
  kUnreadable  // no access, or any other failure
};

// How long a read waits for another program's write to finish before the store counts as locked.
inline constexpr int kBusyWaitMs = 1000;

// Opens an existing store read-write (never creating it), reads its schema once and runs
// "PRAGMA quick_check", so a damaged or locked file is found now rather than at the first refresh. On any
// outcome but kOpened and kReadOnly the connection is closed again.
OpenOutcome OpenItemStore(Database& db, const std::string& path_utf8);

}  // namespace velora::store
