#include "store/open_store.h"

#include <filesystem>
#include <system_error>

#include "store/order_index.h"
#include "text/fs_path.h"

namespace velora::store {
namespace {

OpenOutcome FromProbe(int rc) {
  switch (rc & 0xFF) {  // the primary code; extended codes carry more detail in the high bits
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return OpenOutcome::kLocked;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
      return OpenOutcome::kDamaged;
    default:
      return OpenOutcome::kUnreadable;
  }
}

}  // namespace

OpenOutcome OpenItemStore(Database& db, const std::string& path_utf8) {
  std::error_code error;
  if (!std::filesystem::exists(text::PathFromUtf8(path_utf8), error)) return OpenOutcome::kMissing;
  if (!db.Open(path_utf8, Database::kOpenReadWrite)) return OpenOutcome::kUnreadable;
  db.SetBusyWait(kBusyWaitMs);
  int rc = db.Probe();
  // A file whose schema reads can still be damaged further in; finding it now keeps later writes
  // from making it worse.
  if (rc == SQLITE_OK) rc = db.QuickCheck();
  if (rc != SQLITE_OK) {
    db.Close();
    return FromProbe(rc);
  }
  if (!db.ReadOnly()) EnsureOrderIndexes(db);
  return db.ReadOnly() ? OpenOutcome::kReadOnly : OpenOutcome::kOpened;
}

}  // namespace velora::store
