#include "store/SchemaUpgrade.h"

#include "store/Database.h"
#include "store/ProgramError.h"
#include "store/Schema.h"
#include "store/Sqlite.h"

namespace fs = std::filesystem;

namespace {

// SQLite writes the copy itself, so it holds what the file holds even when an
// interrupted earlier write left a journal to roll back first.
fs::path keepCopy(SqliteDatabase& db, const fs::path& file, int version)
{
    fs::path copy = file;
    copy += ".before-v" + std::to_string(version);
    // A copy an earlier, failed upgrade kept is the file as it was: it stays.
    if (fs::exists(copy))
        return copy;
    fs::path partial = copy;
    partial += ".partial";
    std::error_code ignored;
    fs::remove(partial, ignored);
    try {
        auto vacuum = db.prepare("VACUUM INTO ?");
        vacuum.bindText(1, partial.string());
        vacuum.step();
        fs::rename(partial, copy);
    } catch (const std::exception& error) {
        fs::remove(partial, ignored);
        throw ProgramError("Saporia could not keep a copy of the data file " + file.string()
                           + " before upgrading it, so it left the file as it was: " + error.what());
    }
    return copy;
}

std::string readOnlyNotice(const fs::path& folder, bool older)
{
    std::string notice = "Saporia may not write to the data folder " + fs::absolute(folder).string()
                       + ", so it opens the data read-only: changes cannot be stored.";
    if (older)
        notice += " The data file was made by an earlier Saporia; it is upgraded when Saporia starts on it with "
                  "permission to write.";
    return notice;
}

} // namespace

int storedSchemaVersion(const SqliteDatabase& db)
{
    auto statement = db.prepare("PRAGMA user_version");
    statement.step();
    return static_cast<int>(statement.columnInt(0));
}

void applySchemaSteps(SqliteDatabase& db, const std::vector<SchemaStep>& steps)
{
    for (const auto& step : steps) {
        SqliteTransaction transaction(db);
        // Read inside the transaction: nothing can upgrade the file between the check and the step.
        if (storedSchemaVersion(db) >= step.version)
            continue;
        step.apply(db);
        db.execute("PRAGMA user_version = " + std::to_string(step.version));
        transaction.commit();
    }
}

std::string prepareDataFolder(const fs::path& folder, const std::vector<SchemaStep>& steps)
{
    Database data("data folder", folder);
    const int version = data.schemaVersion();
    const bool older = !steps.empty() && version < steps.back().version;
    if (data.readOnly())
        return readOnlyNotice(folder, older);
    if (!older)
        return {};
    const fs::path file = folder / kDatabaseFileName;
    const fs::path copy = keepCopy(data.sqlite(), file, version);
    try {
        applySchemaSteps(data.sqlite(), steps);
    } catch (const ProgramError& error) {
        throw ProgramError("Saporia could not upgrade the data file " + file.string() + " for this version.\n"
                               + error.what() + "\nThe step that failed stored nothing; the file as it was before "
                               "the upgrade is kept as " + copy.string() + ".",
                           error.code());
    }
    return "Saporia has upgraded the data file " + file.string()
         + " for this version; nothing you stored has changed. The file as it was is kept as " + copy.string() + ".";
}
