#include "store/crash_vfs.h"

#include <sqlite3.h>

#include <mutex>
#include <string_view>

#include "core/crash_point.h"

namespace velora::store {

#if VELORA_DEBUG_CHECKS
namespace {

// An open file: our methods in front, the system's file right behind.
struct CrashFile {
  sqlite3_file base;
  int kind;              // SQLITE_OPEN_MAIN_DB, SQLITE_OPEN_MAIN_JOURNAL, or another file
  bool writing = false;  // pages of a transaction went into the store since its last flush
  sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

CrashFile* Of(sqlite3_file* file) { return reinterpret_cast<CrashFile*>(file); }
sqlite3_file* Real(sqlite3_file* file) { return Of(file)->real(); }

int Close(sqlite3_file* f) {
  sqlite3_file* real = Real(f);
  return real->pMethods ? real->pMethods->xClose(real) : SQLITE_OK;
}
int Read(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
  return Real(f)->pMethods->xRead(Real(f), buffer, amount, offset);
}
int Write(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
  const int rc = Real(f)->pMethods->xWrite(Real(f), buffer, amount, offset);
  CrashFile* file = Of(f);
  if (rc == SQLITE_OK && file->kind == SQLITE_OPEN_MAIN_DB && !file->writing) {
    file->writing = true;
    core::CrashPoint(core::crash_step::kStoreWriting);
  }
  return rc;
}
int Truncate(sqlite3_file* f, sqlite3_int64 size) { return Real(f)->pMethods->xTruncate(Real(f), size); }
int Sync(sqlite3_file* f, int flags) {
  const int rc = Real(f)->pMethods->xSync(Real(f), flags);
  CrashFile* file = Of(f);
  if (rc == SQLITE_OK && file->kind == SQLITE_OPEN_MAIN_JOURNAL) {
    core::CrashPoint(core::crash_step::kJournalWritten);
  } else if (rc == SQLITE_OK && file->kind == SQLITE_OPEN_MAIN_DB && file->writing) {
    file->writing = false;
    core::CrashPoint(core::crash_step::kStoreWritten);
  }
  return rc;
}
int FileSize(sqlite3_file* f, sqlite3_int64* size) { return Real(f)->pMethods->xFileSize(Real(f), size); }
int Lock(sqlite3_file* f, int level) { return Real(f)->pMethods->xLock(Real(f), level); }
int Unlock(sqlite3_file* f, int level) { return Real(f)->pMethods->xUnlock(Real(f), level); }
int CheckReservedLock(sqlite3_file* f, int* out) {
  return Real(f)->pMethods->xCheckReservedLock(Real(f), out);
}
int FileControl(sqlite3_file* f, int op, void* arg) {
  return Real(f)->pMethods->xFileControl(Real(f), op, arg);
}
int SectorSize(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
int DeviceCharacteristics(sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); }
int ShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** out) {
  return Real(f)->pMethods->xShmMap(Real(f), page, size, extend, out);
}
int ShmLock(sqlite3_file* f, int offset, int n, int flags) {
  return Real(f)->pMethods->xShmLock(Real(f), offset, n, flags);
}
void ShmBarrier(sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); }
int ShmUnmap(sqlite3_file* f, int remove) { return Real(f)->pMethods->xShmUnmap(Real(f), remove); }
int Fetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out) {
  return Real(f)->pMethods->xFetch(Real(f), offset, amount, out);
}
int Unfetch(sqlite3_file* f, sqlite3_int64 offset, void* page) {
  return Real(f)->pMethods->xUnfetch(Real(f), offset, page);
}

// The methods of one version of the real file's table: a later version's entries are only read
// when the real file offers them.
sqlite3_io_methods MethodsOfVersion(int version) {
  return {version,
          Close,
          Read,
          Write,
          Truncate,
          Sync,
          FileSize,
          Lock,
          Unlock,
          CheckReservedLock,
          FileControl,
          SectorSize,
          DeviceCharacteristics,
          ShmMap,
          ShmLock,
          ShmBarrier,
          ShmUnmap,
          Fetch,
          Unfetch};
}
const sqlite3_io_methods kMethods[] = {MethodsOfVersion(1), MethodsOfVersion(2), MethodsOfVersion(3)};

sqlite3_vfs* System(sqlite3_vfs* vfs) { return static_cast<sqlite3_vfs*>(vfs->pAppData); }

int Open(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* f, int flags, int* out_flags) {
  CrashFile* file = Of(f);
  file->base.pMethods = nullptr;
  file->kind = flags & (SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_MAIN_JOURNAL);
  file->writing = false;
  const int rc = System(vfs)->xOpen(System(vfs), name, file->real(), flags, out_flags);
  const sqlite3_io_methods* real = file->real()->pMethods;
  if (real) file->base.pMethods = &kMethods[real->iVersion >= 3 ? 2 : real->iVersion - 1];
  return rc;
}

int Delete(sqlite3_vfs* vfs, const char* name, int sync_folder) {
  const int rc = System(vfs)->xDelete(System(vfs), name, sync_folder);
  // Deleting the rollback journal is what commits a transaction in the store's journal mode.
  if (rc == SQLITE_OK && std::string_view(name).ends_with("-journal")) {
    core::CrashPoint(core::crash_step::kCommitted);
  }
  return rc;
}

// The rest is the system's own, called with the system's file system as theirs.
int Access(sqlite3_vfs* vfs, const char* name, int flags, int* out) {
  return System(vfs)->xAccess(System(vfs), name, flags, out);
}
int FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out) {
  return System(vfs)->xFullPathname(System(vfs), name, size, out);
}
void* DlOpen(sqlite3_vfs* vfs, const char* name) { return System(vfs)->xDlOpen(System(vfs), name); }
void DlError(sqlite3_vfs* vfs, int size, char* out) { System(vfs)->xDlError(System(vfs), size, out); }
void (*DlSym(sqlite3_vfs* vfs, void* library, const char* symbol))(void) {
  return System(vfs)->xDlSym(System(vfs), library, symbol);
}
void DlClose(sqlite3_vfs* vfs, void* library) { System(vfs)->xDlClose(System(vfs), library); }
int Randomness(sqlite3_vfs* vfs, int size, char* out) {
  return System(vfs)->xRandomness(System(vfs), size, out);
}
int SleepFor(sqlite3_vfs* vfs, int microseconds) { return System(vfs)->xSleep(System(vfs), microseconds); }
int CurrentTime(sqlite3_vfs* vfs, double* out) { return System(vfs)->xCurrentTime(System(vfs), out); }
int GetLastError(sqlite3_vfs* vfs, int size, char* out) {
  return System(vfs)->xGetLastError(System(vfs), size, out);
}
int CurrentTimeInt64(sqlite3_vfs* vfs, sqlite3_int64* out) {
  return System(vfs)->xCurrentTimeInt64(System(vfs), out);
}

}  // namespace

void ArmStoreCrashPoints() noexcept {
  if (!core::CrashPointArmed(core::kStoreSteps)) return;
  // Registered once for the life of the process; only a trial's copy of the program gets here.
  static std::once_flag once;
  static sqlite3_vfs layer;
  std::call_once(once, [] {
    sqlite3_vfs* system = sqlite3_vfs_find(nullptr);
    if (!system || system->iVersion < 2) return;
    layer = {2,
             static_cast<int>(sizeof(CrashFile)) + system->szOsFile,
             system->mxPathname,
             nullptr,
             "velora-crash-points",
             system,
             Open,
             Delete,
             Access,
             FullPathname,
             DlOpen,
             DlError,
             DlSym,
             DlClose,
             Randomness,
             SleepFor,
             CurrentTime,
             GetLastError,
             CurrentTimeInt64};
    sqlite3_vfs_register(&layer, /*makeDflt=*/1);
  });
}
#else
void ArmStoreCrashPoints() noexcept {}
#endif

}  // namespace velora::store
