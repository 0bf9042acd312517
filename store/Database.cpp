#include "store/Database.h"

#include "store/ProgramError.h"
#include "store/RecordSet.h"
#include "store/Schema.h"
#include "store/SchemaSteps.h"
#include "store/SchemaUpgrade.h"
#include "store/Sqlite.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <map>

#include <unistd.h>

namespace fs = std::filesystem;

struct Database::Connection {
    Connection(const std::string& path, Access access)
        : db(path, access == Access::ReadOnly ? SqliteDatabase::Mode::ReadOnly : SqliteDatabase::Mode::OpenExisting)
    {
        // SQLite reads the file only when it first needs to: read it now, so that a
        // file that is no database is told at once, not at some later step.
        db.execute("SELECT count(*) FROM sqlite_master");
        // A newer layout may hold rows this program would break; it is not even read.
        if (storedSchemaVersion(db) > currentSchemaVersion())
            throw ProgramError("The data file " + path + " was made by a newer Saporia: this one cannot open it. "
                               "Start the newer Saporia, or use another data folder.");
    }
    SqliteDatabase db;
    std::unordered_map<std::string, std::uint64_t> versions;
    std::unordered_map<std::string, std::string> failNextWrite;
};

namespace {

std::string tableKey(const std::string& table)
{
    std::string key = table;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    return key;
}

// Open connections by data file, so every alias over one folder shares one.
std::map<std::string, std::weak_ptr<void>>& openConnections()
{
    static std::map<std::string, std::weak_ptr<void>> connections;
    return connections;
}

// A failed apply says that nothing was stored; what becomes of the work is the
// business of the dialog that holds it.
static_assert(SQLITE_READONLY == 8, "ProgramError::fileReadOnly names SQLite's code by its number");

std::string notStored(const ProgramError& cause)
{
    if (cause.fileReadOnly()) // its text says so already
        return cause.what();
    return std::string(cause.what()) + "\nThe change was not stored.";
}

bool mayWrite(const fs::path& folder, const fs::path& file)
{
    return !ReadOnlyDataFolders::active() && ::access(folder.c_str(), W_OK) == 0 && ::access(file.c_str(), W_OK) == 0;
}

bool readOnlyFoldersPretended = false;

} // namespace

ReadOnlyDataFolders::ReadOnlyDataFolders()
{
    readOnlyFoldersPretended = true;
}

ReadOnlyDataFolders::~ReadOnlyDataFolders()
{
    readOnlyFoldersPretended = false;
}

bool ReadOnlyDataFolders::active()
{
    return readOnlyFoldersPretended;
}

Database::Database(std::string alias, const fs::path& folder, Access access) : alias_(std::move(alias))
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        const std::string where = fs::absolute(folder, ec).string();
        throw ProgramError("The data folder " + where + " does not exist. Started from the application menu, "
                           "Saporia creates its data folder on the first start; to create this one, run: "
                           "saporia-makedb " + where);
    }
    const fs::path file = folder / kDatabaseFileName;
    if (!fs::is_regular_file(file, ec))
        throw ProgramError("Cannot open database '" + alias_ + "': '" + file.string() + "' does not exist");
    if (access == Access::ReadWrite && !mayWrite(folder, file))
        access = Access::ReadOnly;
    const std::string key = fs::canonical(file, ec).string() + (access == Access::ReadOnly ? "|read-only" : "");
    auto& connections = openConnections();
    if (auto existing = connections[key].lock()) {
        connection_ = std::static_pointer_cast<Connection>(existing);
    } else {
        connection_ = std::make_shared<Connection>(file.string(), access);
        connections[key] = connection_;
    }
}

Database::~Database() = default;

SqliteDatabase& Database::sqlite() const
{
    return connection_->db;
}

bool Database::readOnly() const
{
    return sqlite3_db_readonly(connection_->db.handle(), "main") == 1;
}

int Database::schemaVersion() const
{
    return storedSchemaVersion(connection_->db);
}

void Database::applyUpdates(std::initializer_list<RecordSet*> sets)
{
    applyUpdates(std::vector<RecordSet*>(sets));
}

void Database::applyUpdates(const std::vector<RecordSet*>& sets)
{
    applyUpdates(sets, {});
}

void Database::applyUpdates(const std::vector<RecordSet*>& sets,
                            const std::function<void(SqliteDatabase&, const StoredId&)>& alsoWrite)
{
    for (RecordSet* set : sets)
        set->postIfEditing();
    if (!alsoWrite && std::none_of(sets.begin(), sets.end(), [](RecordSet* set) { return set->updatesPending(); }))
        return;
    std::vector<RecordSet::ApplyResult> results;
    try {
        SqliteTransaction transaction(sqlite());
        for (RecordSet* set : sets)
            results.push_back(set->writePendingChanges());
        if (alsoWrite) {
            const StoredId storedId = [&](const RecordSet& set, std::int64_t rowId) {
                for (std::size_t i = 0; i < results.size(); ++i) {
                    if (sets[i] != &set)
                        continue;
                    const auto stored = results[i].storedIds.find(rowId);
                    return stored == results[i].storedIds.end() ? rowId : stored->second;
                }
                return rowId;
            };
            alsoWrite(sqlite(), storedId);
        }
        transaction.commit();
    } catch (const ProgramError& error) {
        throw ProgramError(notStored(error), error.code());
    }
    // Only now, with everything stored, do the sets let go of their pending changes.
    // They all do so before any of them tells its details: a detail that re-read while
    // its own changes were both stored and still pending would show its new rows twice.
    for (RecordSet* set : sets)
        set->disableControls();
    for (std::size_t i = 0; i < sets.size(); ++i)
        sets[i]->finishApply(results[i]);
    std::exception_ptr error;
    for (RecordSet* set : sets) {
        try {
            set->enableControls();
        } catch (...) {
            if (!error)
                error = std::current_exception();
        }
    }
    if (error)
        std::rethrow_exception(error);
}

void Database::postAndApply(RecordSet& master, const std::function<void()>& apply)
{
    const DataSetState state = master.state();
    const bool editing = state == DataSetState::Edit || state == DataSetState::Insert;
    master.post();
    try {
        apply();
    } catch (...) {
        if (editing)
            master.edit();
        throw;
    }
}

std::uint64_t Database::tableVersion(const std::string& table) const
{
    const auto found = connection_->versions.find(tableKey(table));
    return found == connection_->versions.end() ? 0 : found->second;
}

const std::uint64_t& Database::tableVersionCounter(const std::string& table)
{
    // unordered_map keeps its elements in place, so the reference stays good.
    return connection_->versions[tableKey(table)];
}

void Database::tableChanged(const std::string& table)
{
    ++connection_->versions[tableKey(table)];
}

void Database::failNextWriteTo(const std::string& table, const std::string& message)
{
    connection_->failNextWrite[tableKey(table)] = message;
}

void Database::checkWriteAllowed(const std::string& table)
{
    auto& failures = connection_->failNextWrite;
    if (const auto found = failures.find(tableKey(table)); found != failures.end()) {
        const std::string message = found->second;
        failures.erase(found);
        throw ProgramError(message);
    }
}
