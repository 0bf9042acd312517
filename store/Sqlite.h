#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

// Thin RAII wrappers over the SQLite C API. Every failure becomes a ProgramError
// carrying SQLite's extended result code. Troubles of the file itself (read-only,
// in use, not a database) are told in the user's terms, naming the file as it was
// opened; anything else carries SQLite's own message, prefixed with what was being done.

class SqliteDatabase;

class SqliteStatement {
public:
    SqliteStatement(const SqliteDatabase& db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&&) = delete;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void bindNull(int position);
    void bindInt(int position, std::int64_t value);
    void bindDouble(int position, double value);
    void bindText(int position, std::string_view value);
    int parameterIndex(const std::string& name) const; // 0 when unknown
    int parameterCount() const;                        // the highest ?N the statement uses

    // Returns true while a row is available.
    bool step();
    void reset();  // to the start, bindings cleared
    void rewind(); // to the start, bindings kept

    int columnCount() const;
    std::string columnName(int column) const;
    bool columnIsNull(int column) const;
    int columnType(int column) const; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_NULL ...
    std::int64_t columnInt(int column) const;
    double columnDouble(int column) const;
    std::string columnText(int column) const;
    std::string columnDeclaredType(int column) const; // empty for an expression
    // The column's value as SQLite holds it: its type and content read with one lookup.
    sqlite3_value* columnValue(int column) const;

private:
    const SqliteDatabase* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class SqliteDatabase {
public:
    enum class Mode { OpenExisting, Create, ReadOnly };
    SqliteDatabase(const std::string& path, Mode mode);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    sqlite3* handle() const { return db_; }
    void execute(std::string_view sql);
    SqliteStatement prepare(std::string_view sql) const;
    std::int64_t lastInsertRowId() const;
    bool inTransaction() const;
    bool tableExists(std::string_view table) const;
    const std::string& path() const { return path_; }

    // How long a statement waits for a file another program holds before it fails
    // ("in use by another program"); tests shorten it. While it waits, the wait
    // hook runs every few milliseconds, so that windows keep painting.
    static void setBusyTimeout(std::chrono::milliseconds timeout);
    static std::chrono::milliseconds busyTimeout();
    static void setBusyWaitHook(std::function<void()> hook);

    // Throws the ProgramError for SQLite's last failure on this connection.
    [[noreturn]] void fail(const std::string& what) const;
    [[noreturn]] void fail(const std::string& what, int code, const std::string& sqliteMessage) const;

private:
    static int waitWhileBusy(void* self, int attempt);

    std::string path_;
    sqlite3* db_ = nullptr;
    std::chrono::steady_clock::time_point busySince_;
};

// Begins a transaction; rolls it back on destruction unless committed.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDatabase& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void commit();

private:
    SqliteDatabase& db_;
    bool open_ = true;
};

// Holds one read snapshot over many statements, so a walk that reads detail rows
// row by row takes the file's shared lock once instead of once per statement.
// Inside a transaction already, it does nothing.
class SqliteReadSnapshot {
public:
    explicit SqliteReadSnapshot(SqliteDatabase& db);
    ~SqliteReadSnapshot();
    SqliteReadSnapshot(const SqliteReadSnapshot&) = delete;
    SqliteReadSnapshot& operator=(const SqliteReadSnapshot&) = delete;

private:
    SqliteDatabase& db_;
    bool began_ = false;
};
