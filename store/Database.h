#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class RecordSet;
class SqliteDatabase;

// A named database over a data folder. Databases over the same folder share one
// connection and one set of table versions, so what one stores the other sees.
class Database {
public:
    // ReadOnly opens the file as the system would for a user without write permission
    // (whoever runs the tests): every write then fails as it would on a read-only file.
    // ReadWrite opens it read-only too where this process may not write the folder or
    // the file (SQLite writes its journal beside the file).
    enum class Access { ReadWrite, ReadOnly };

    // Opens `folder`/saporia.sqlite; throws ProgramError when the folder or file is
    // missing, the file is no database, or a newer Saporia made it.
    Database(std::string alias, const std::filesystem::path& folder, Access access = Access::ReadWrite);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& alias() const { return alias_; }
    SqliteDatabase& sqlite() const;

    // True when no change can be stored.
    bool readOnly() const;
    // The file's layout version (store/SchemaSteps.h). What needs a table a later step
    // adds asks it: a folder that cannot be written keeps the layout it had.
    int schemaVersion() const;

    // Applies the pending changes of several cached sets in one transaction, in the
    // order given, posting an open edit of each first. If anything fails nothing is
    // stored, every set keeps its pending changes exactly, and the error is raised
    // again saying so, so that a later apply stores the same changes once.
    void applyUpdates(std::initializer_list<RecordSet*> sets);
    void applyUpdates(const std::vector<RecordSet*>& sets);
    // The same, with `alsoWrite` run last inside the one transaction, for rows of
    // tables no set shows; `storedId` names the row id storage gave a set's row
    // (a row not stored before has only a temporary id until then).
    using StoredId = std::function<std::int64_t(const RecordSet& set, std::int64_t rowId)>;
    void applyUpdates(const std::vector<RecordSet*>& sets,
                      const std::function<void(SqliteDatabase&, const StoredId&)>& alsoWrite);

    // Posts `master`'s open edit and runs `apply`; when that fails, `master` is
    // editing its row again, so the dialog showing it goes on taking what is typed
    // and a later OK posts and applies it once.
    static void postAndApply(RecordSet& master, const std::function<void()>& apply);

    // Every write to a table raises its version; sets re-read when it moved.
    std::uint64_t tableVersion(const std::string& table) const;
    void tableChanged(const std::string& table);
    // The counter itself, for sets that compare it on every read; valid while the database lives.
    const std::uint64_t& tableVersionCounter(const std::string& table);

    // Test seam: makes the next write to `table` fail with `message`.
    void failNextWriteTo(const std::string& table, const std::string& message);
    void checkWriteAllowed(const std::string& table);

private:
    struct Connection;
    std::string alias_;
    std::shared_ptr<Connection> connection_;
};

// Test seam: while one lives, every data folder opens as one this process may not
// write, as for a user without write permission (the tests may write anything).
class ReadOnlyDataFolders {
public:
    ReadOnlyDataFolders();
    ~ReadOnlyDataFolders();
    ReadOnlyDataFolders(const ReadOnlyDataFolders&) = delete;
    ReadOnlyDataFolders& operator=(const ReadOnlyDataFolders&) = delete;

    static bool active();
};
