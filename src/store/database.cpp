#include "store/database.h"

#include "store/crash_vfs.h"

namespace velora::store {

std::string QuoteIdentifier(std::string_view name) {
  std::string out = "\"";
  for (const char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    Finalize();
    statement_ = other.statement_;
    other.statement_ = nullptr;
  }
  return *this;
}

Statement& Statement::Bind(int index, std::string_view text) noexcept {
  if (statement_) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  }
  return *this;
}

Statement& Statement::BindInteger(int index, long long value) noexcept {
  if (statement_) sqlite3_bind_int64(statement_, index, value);
  return *this;
}

bool Statement::Step() noexcept { return statement_ && sqlite3_step(statement_) == SQLITE_ROW; }

bool Statement::Run() noexcept {
  if (!statement_) return false;
  int rc = SQLITE_ROW;
  while (rc == SQLITE_ROW) rc = sqlite3_step(statement_);
  return rc == SQLITE_DONE;
}

std::string Statement::ColumnText(int column) const {
  if (!statement_) return {};
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  if (!text) return {};
  return std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

bool Statement::ColumnIsNull(int column) const noexcept {
  return !statement_ || sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

int Statement::ColumnInt(int column) const noexcept {
  return statement_ ? sqlite3_column_int(statement_, column) : 0;
}

long long Statement::ColumnInt64(int column) const noexcept {
  return statement_ ? sqlite3_column_int64(statement_, column) : 0;
}

void Statement::Reset() noexcept {
  if (!statement_) return;
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

int Statement::Finalize() noexcept {
  if (!statement_) return 1;
  const int rc = sqlite3_finalize(statement_);
  statement_ = nullptr;
  return rc;
}

bool Database::Open(const std::string& path_utf8, int flags) noexcept {
  Close();
  ArmStoreCrashPoints();
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(path_utf8.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close(db);  // a handle comes back even on failure and must be released
    return false;
  }
  db_ = db;
  return true;
}

void Database::SetBusyWait(int milliseconds) noexcept {
  if (db_) sqlite3_busy_timeout(db_, milliseconds);
}

int Database::Probe() noexcept {
  if (!db_) return SQLITE_MISUSE;
  sqlite3_stmt* raw = nullptr;
  int rc = sqlite3_prepare_v2(db_, "SELECT count(*) FROM sqlite_master", -1, &raw, nullptr);
  Statement statement(raw);
  if (rc == SQLITE_OK) rc = sqlite3_step(raw);
  return rc == SQLITE_ROW || rc == SQLITE_DONE ? SQLITE_OK : sqlite3_extended_errcode(db_);
}

int Database::QuickCheck() noexcept {
  if (!db_) return SQLITE_MISUSE;
  sqlite3_stmt* raw = nullptr;
  int rc = sqlite3_prepare_v2(db_, "PRAGMA quick_check", -1, &raw, nullptr);
  Statement statement(raw);
  if (rc != SQLITE_OK) return sqlite3_extended_errcode(db_);
  // A sound file answers one row, "ok"; a damaged one lists its faults instead.
  rc = sqlite3_step(raw);
  if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? SQLITE_CORRUPT : sqlite3_extended_errcode(db_);
  return statement.ColumnText(0) == "ok" ? SQLITE_OK : SQLITE_CORRUPT;
}

int Database::CopyInto(Database& destination, int busy_ms) noexcept {
  if (!db_ || !destination.db_) return SQLITE_MISUSE;
  sqlite3_backup* backup = sqlite3_backup_init(destination.db_, "main", db_, "main");
  if (!backup) return sqlite3_extended_errcode(destination.db_);
  constexpr int kPause = 10;
  int rc = SQLITE_OK;
  for (int waited = 0;; waited += kPause) {
    // All pages in one step: the copy reads one snapshot under one read lock.
    rc = sqlite3_backup_step(backup, -1);
    if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || waited >= busy_ms) break;
    sqlite3_sleep(kPause);
  }
  const int finished = sqlite3_backup_finish(backup);
  return rc == SQLITE_DONE ? finished : rc;
}

bool Database::ReadOnly() const noexcept { return db_ && sqlite3_db_readonly(db_, "main") == 1; }

void Database::Close() noexcept {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

ContentVersion Database::Version() const noexcept {
  ContentVersion version;
  if (!db_) return version;
  sqlite3_file_control(db_, "main", SQLITE_FCNTL_DATA_VERSION, &version.commits);
  version.own_changes = sqlite3_total_changes64(db_);
  return version;
}

bool Database::Execute(std::string_view sql, std::string* error) noexcept {
  if (!db_) {
    if (error) *error = "database is not open";
    return false;
  }
  char* message = nullptr;
  const std::string text(sql);
  const int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, error ? &message : nullptr);
  if (error) *error = message ? message : "";
  sqlite3_free(message);
  return rc == SQLITE_OK;
}

Statement Database::Query(std::string_view sql, bool* ok) noexcept {
  sqlite3_stmt* statement = nullptr;
  const int rc = db_ ? sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr)
                     : SQLITE_MISUSE;
  if (ok) *ok = rc == SQLITE_OK;
  return Statement(statement);
}

Statement Database::ListTables() noexcept {
  return Query("select tbl_name,sql from sqlite_master where type='table' and tbl_name!='sqlite_sequence'");
}

bool Database::TableExists(std::string_view name) noexcept {
  Statement q = Query("select count(*) from sqlite_master where type='table' and tbl_name=?1");
  q.Bind(1, name);
  return q.Step() && q.ColumnInt(0) != 0;
}

bool Database::DropTable(std::string_view name, std::string* error) noexcept {
  return Execute("drop table if exists " + QuoteIdentifier(name), error);
}

bool Database::RenameTable(std::string_view old_name, std::string_view new_name,
                           std::string* error) noexcept {
  return Execute("alter table " + QuoteIdentifier(old_name) + " rename to " + QuoteIdentifier(new_name),
                 error);
}

int Database::Begin(std::string_view savepoint) noexcept {
  return Execute("SAVEPOINT " + QuoteIdentifier(savepoint)) ? SQLITE_OK : sqlite3_errcode(db_);
}

int Database::Commit(std::string_view savepoint) noexcept {
  return Execute("RELEASE " + QuoteIdentifier(savepoint)) ? SQLITE_OK : sqlite3_errcode(db_);
}

int Database::Rollback(std::string_view savepoint) noexcept {
  return Execute("ROLLBACK TO " + QuoteIdentifier(savepoint)) ? SQLITE_OK : sqlite3_errcode(db_);
}

}  // namespace velora::store
