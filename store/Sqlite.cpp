#include "store/Sqlite.h"

#include "store/ProgramError.h"
#include "store/Text.h"

#include <sqlite3.h>

#include <thread>

namespace {

// SQLite's own LOWER folds ASCII only; searches must also match "CRÈME" to "crème".
void lowerFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    const auto bytes = static_cast<std::size_t>(sqlite3_value_bytes(arguments[0]));
    const std::string lowered = lowerText(std::string_view(text ? text : "", bytes));
    sqlite3_result_text(context, lowered.data(), static_cast<int>(lowered.size()), SQLITE_TRANSIENT);
}

} // namespace

SqliteStatement::SqliteStatement(const SqliteDatabase& db, std::string_view sql) : db_(&db)
{
    if (sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        db.fail("Invalid statement");
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(stmt_);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept : db_(other.db_), stmt_(other.stmt_)
{
    other.stmt_ = nullptr;
}

void SqliteStatement::bindNull(int position)
{
    if (sqlite3_bind_null(stmt_, position) != SQLITE_OK)
        db_->fail("Cannot bind parameter");
}

void SqliteStatement::bindInt(int position, std::int64_t value)
{
    if (sqlite3_bind_int64(stmt_, position, value) != SQLITE_OK)
        db_->fail("Cannot bind parameter");
}

void SqliteStatement::bindDouble(int position, double value)
{
    if (sqlite3_bind_double(stmt_, position, value) != SQLITE_OK)
        db_->fail("Cannot bind parameter");
}

void SqliteStatement::bindText(int position, std::string_view value)
{
    if (sqlite3_bind_text(stmt_, position, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT)
        != SQLITE_OK)
        db_->fail("Cannot bind parameter");
}

int SqliteStatement::parameterIndex(const std::string& name) const
{
    return sqlite3_bind_parameter_index(stmt_, name.c_str());
}

int SqliteStatement::parameterCount() const
{
    return sqlite3_bind_parameter_count(stmt_);
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const std::string message = sqlite3_errmsg(db_->handle());
    const int code = sqlite3_extended_errcode(db_->handle());
    sqlite3_reset(stmt_);
    db_->fail("", code, message);
}

void SqliteStatement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void SqliteStatement::rewind()
{
    sqlite3_reset(stmt_);
}

int SqliteStatement::columnCount() const { return sqlite3_column_count(stmt_); }
std::string SqliteStatement::columnName(int column) const { return sqlite3_column_name(stmt_, column); }
bool SqliteStatement::columnIsNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
int SqliteStatement::columnType(int column) const { return sqlite3_column_type(stmt_, column); }
std::int64_t SqliteStatement::columnInt(int column) const { return sqlite3_column_int64(stmt_, column); }
double SqliteStatement::columnDouble(int column) const { return sqlite3_column_double(stmt_, column); }
sqlite3_value* SqliteStatement::columnValue(int column) const { return sqlite3_column_value(stmt_, column); }

std::string SqliteStatement::columnText(int column) const
{
    const auto* text = sqlite3_column_text(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), sqlite3_column_bytes(stmt_, column)) : std::string();
}

std::string SqliteStatement::columnDeclaredType(int column) const
{
    const char* type = sqlite3_column_decltype(stmt_, column);
    return type ? type : "";
}

SqliteDatabase::SqliteDatabase(const std::string& path, Mode mode) : path_(path)
{
    const int flags = mode == Mode::Create     ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                    : mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY
                                             : SQLITE_OPEN_READWRITE;
    // A connection is used by one thread only: SQLite need not lock it at every call.
    if (sqlite3_open_v2(path.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        const int code = db_ ? sqlite3_extended_errcode(db_) : SQLITE_NOMEM;
        sqlite3_close(db_);
        db_ = nullptr;
        fail("Cannot open database " + path, code, message);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_handler(db_, &SqliteDatabase::waitWhileBusy, this);
    // Lists are read whole and details by index seeks: a page cache beyond 1 MiB only
    // holds pages of lists read long ago, which the system's file cache keeps anyway.
    sqlite3_exec(db_, "PRAGMA cache_size = -1024", nullptr, nullptr, nullptr);
    sqlite3_create_function(db_, "lower", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, lowerFunction, nullptr,
                            nullptr);
}

namespace {

std::chrono::milliseconds busyTimeoutSetting{2000};
std::function<void()> busyWaitHook;

} // namespace

void SqliteDatabase::setBusyTimeout(std::chrono::milliseconds timeout)
{
    busyTimeoutSetting = timeout;
}

std::chrono::milliseconds SqliteDatabase::busyTimeout()
{
    return busyTimeoutSetting;
}

void SqliteDatabase::setBusyWaitHook(std::function<void()> hook)
{
    busyWaitHook = std::move(hook);
}

// SQLite's own timeout sleeps in one piece and the window freezes with it: this
// waits in short naps and lets the hook repaint in between.
int SqliteDatabase::waitWhileBusy(void* self, int attempt)
{
    auto* db = static_cast<SqliteDatabase*>(self);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0)
        db->busySince_ = now;
    if (now - db->busySince_ >= busyTimeoutSetting)
        return 0;
    if (busyWaitHook)
        busyWaitHook();
    std::this_thread::sleep_for(std::chrono::milliseconds(attempt < 10 ? 2 : 15));
    return 1;
}

SqliteDatabase::~SqliteDatabase()
{
    sqlite3_close_v2(db_);
}

void SqliteDatabase::execute(std::string_view sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        fail("", sqlite3_extended_errcode(db_), message);
    }
}

SqliteStatement SqliteDatabase::prepare(std::string_view sql) const
{
    return SqliteStatement(*this, sql);
}

void SqliteDatabase::fail(const std::string& what) const
{
    if (!db_)
        fail(what, SQLITE_NOMEM, "out of memory");
    fail(what, sqlite3_extended_errcode(db_), sqlite3_errmsg(db_));
}

void SqliteDatabase::fail(const std::string& what, int code, const std::string& sqliteMessage) const
{
    const std::string file = "The data file " + path_;
    switch (code & 0xff) {
    case SQLITE_READONLY:
        throw ProgramError(file + " is read-only: the change was not stored.", code);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw ProgramError(file + " is in use by another program.", code);
    case SQLITE_NOTADB:
        throw ProgramError(file + " is not a Saporia data file.", code);
    default:
        throw ProgramError(what.empty() ? sqliteMessage : what + ": " + sqliteMessage, code);
    }
}

std::int64_t SqliteDatabase::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(db_);
}

bool SqliteDatabase::inTransaction() const
{
    return sqlite3_get_autocommit(db_) == 0;
}

bool SqliteDatabase::tableExists(std::string_view table) const
{
    auto statement = prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
    statement.bindText(1, table);
    return statement.step();
}

SqliteTransaction::SqliteTransaction(SqliteDatabase& db) : db_(db)
{
    db_.execute("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction()
{
    if (open_) {
        try {
            db_.execute("ROLLBACK");
        } catch (const ProgramError&) {
            // Nothing more can be done: SQLite has rolled back on its own already.
        }
    }
}

void SqliteTransaction::commit()
{
    db_.execute("COMMIT");
    open_ = false;
}

SqliteReadSnapshot::SqliteReadSnapshot(SqliteDatabase& db) : db_(db)
{
    if (!db_.inTransaction()) {
        db_.execute("BEGIN DEFERRED");
        began_ = true;
    }
}

SqliteReadSnapshot::~SqliteReadSnapshot()
{
    if (!began_)
        return;
    try {
        db_.execute("COMMIT");
    } catch (const ProgramError&) {
        // Only reads ran: there is nothing to keep, and nothing more to do.
    }
}
