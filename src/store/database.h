#pragma once
// The access layer over SQLite: one connection, statements as RAII result objects, and the
// table builders. Values always go in as bound parameters; table names are quoted identifiers.
#include <sqlite3.h>

#include <string>
#include <string_view>

namespace velora::store {

// Wraps a double-quoted SQL identifier around any name, so a quote in it cannot end it early.
std::string QuoteIdentifier(std::string_view name);

// The result object: owns one prepared statement, empty when preparing failed.
class Statement {
 public:
  Statement() = default;
  explicit Statement(sqlite3_stmt* statement) noexcept : statement_(statement) {}
  ~Statement() { Finalize(); }
  Statement(Statement&& other) noexcept : statement_(other.statement_) { other.statement_ = nullptr; }
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool Valid() const noexcept { return statement_ != nullptr; }
  // Parameters count from 1, as in SQL text (?1, ?2, …).
  Statement& Bind(int index, std::string_view text) noexcept;
  Statement& BindInteger(int index, long long value) noexcept;
  // True while a row is available; false at the end, on an error and at once when empty.
  [[nodiscard]] bool Step() noexcept;
  // Runs a statement that returns no rows; true when it completed.
  [[nodiscard]] bool Run() noexcept;
  // Text of a column of the current row; NULL gives the empty text.
  std::string ColumnText(int column) const;
  bool ColumnIsNull(int column) const noexcept;
  int ColumnInt(int column) const noexcept;
  long long ColumnInt64(int column) const noexcept;
  // Makes the statement ready to run again with every parameter NULL, so one prepared statement
  // serves a batch of rows.
  void Reset() noexcept;
  // The SQLite result code, or 1 when there was no statement.
  int Finalize() noexcept;

 private:
  sqlite3_stmt* statement_ = nullptr;
};

// Moves with every change of the store's content: each commit of this connection or of another
// one (seen once a read has begun), and each row this connection changed, committed or not.
struct ContentVersion {
  unsigned commits = 0;
  long long own_changes = 0;
  bool operator==(const ContentVersion&) const = default;
};

class Database {
 public:
  static constexpr int kOpenReadWrite = SQLITE_OPEN_READWRITE;
  static constexpr int kOpenCreate = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  static constexpr int kOpenReadOnly = SQLITE_OPEN_READONLY;

  Database() = default;
  ~Database() { Close(); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Opens an existing file unless the create flag is given; the path is UTF-8.
  [[nodiscard]] bool Open(const std::string& path_utf8, int flags = kOpenReadWrite) noexcept;
  void Close() noexcept;
  bool IsOpen() const noexcept { return db_ != nullptr; }
  // How long a statement waits for another connection's lock before it fails with SQLITE_BUSY.
  void SetBusyWait(int milliseconds) noexcept;
  // Reads the schema: SQLITE_OK when the file is a readable database, else the SQLite error code
  // (SQLITE_NOTADB, SQLITE_CORRUPT, SQLITE_BUSY, …).
  int Probe() noexcept;
  // True when the connection can only read (a read-only file).
  bool ReadOnly() const noexcept;
  // "PRAGMA quick_check": SQLITE_OK when it reports "ok", SQLITE_CORRUPT when it reports damage,
  // else the SQLite error that stopped it (SQLITE_BUSY for a store another program is writing).
  int QuickCheck() noexcept;
  // Copies this whole database into `destination` with SQLite's online backup, so the copy is
  // consistent even while other connections write; waits up to `busy_ms` for their locks.
  // SQLITE_OK or the SQLite error.
  int CopyInto(Database& destination, int busy_ms) noexcept;
  // Read inside a read, after its first statement, so another program's commits are counted.
  ContentVersion Version() const noexcept;

  // Runs one or more statements without parameters; the error text only when asked for.
  bool Execute(std::string_view sql, std::string* error = nullptr) noexcept;
  Statement Query(std::string_view sql, bool* ok = nullptr) noexcept;

  // Every table's name (column 0) and CREATE statement (column 1), never "sqlite_sequence".
  Statement ListTables() noexcept;
  // Exact comparison, letter case included.
  bool TableExists(std::string_view name) noexcept;
  bool DropTable(std::string_view name, std::string* error = nullptr) noexcept;
  bool RenameTable(std::string_view old_name, std::string_view new_name,
                   std::string* error = nullptr) noexcept;

  // Savepoints; each returns the SQLite result code.
  int Begin(std::string_view savepoint) noexcept;
  int Commit(std::string_view savepoint) noexcept;
  int Rollback(std::string_view savepoint) noexcept;

 private:
  sqlite3* db_ = nullptr;
};

// Groups writes that belong together in a savepoint and releases it on every path, also when a
// statement inside failed, so one failure never undoes the others.
class SavepointScope {
 public:
  SavepointScope(Database& db, std::string_view name) : db_(db), name_(name) { db_.Begin(name_); }
  ~SavepointScope() { db_.Commit(name_); }
  SavepointScope(const SavepointScope&) = delete;
  SavepointScope& operator=(const SavepointScope&) = delete;

 private:
  Database& db_;
  std::string name_;
};

}  // namespace velora::store
