#include "tools/DataFolderInstaller.h"

#include "store/ProgramError.h"
#include "store/Schema.h"
#include "store/SchemaUpgrade.h"
#include "store/Sqlite.h"
#include "tools/SrReader.h"
#include "tools/StarterContent.h"
#include "store/TableDefinitions.h"
#include "store/Text.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The one group name of the reference data that is longer than its field.
constexpr const char* kLongGroupName = "American Indian/Alaska Native Foods";
constexpr const char* kLongGroupAbbreviation = "Am. Indian/Alaska Native Foods";

class Importer {
public:
    Importer(SqliteDatabase& db, const fs::path& referenceDir, const std::optional<std::set<std::int32_t>>& foods,
             InstallReport& report)
        : db_(db), referenceDir_(referenceDir), foods_(foods), report_(report)
    {
    }

    void importAll()
    {
        importTable("FD_GROUP.txt.gz", 2, "FD_GROUP.db", [&](const SrRecord& r, const SrFileReader& f, SqliteStatement& s) {
            std::string name = r[1].text;
            if (name == kLongGroupName)
                name = kLongGroupAbbreviation;
            bindInteger(s, 1, r[0], f);
            bindText(s, 2, name, "FD_GROUP.db", "FdGrp_Desc");
            return true;
        });
        importTable("FOOD_DES.txt.gz", 14, "FOOD_DES.db", [&](const SrRecord& r, const SrFileReader& f, SqliteStatement& s) {
            if (!wanted(r[0], f))
                return false;
            bindInteger(s, 1, r[0], f);
            bindInteger(s, 2, r[1], f);
            bindText(s, 3, r[2].text, "FOOD_DES.db", "Desc");
            bindInteger(s, 4, r[8], f);
            bindNumber(s, 5, r[10], f);
            bindNumber(s, 6, r[11], f);
            bindNumber(s, 7, r[12], f);
            bindNumber(s, 8, r[13], f);
            return true;
        });
        importTable("NUTR_DEF.txt.gz", 6, "NUTR_DEF.db", [&](const SrRecord& r, const SrFileReader& f, SqliteStatement& s) {
            bindInteger(s, 1, r[0], f);
            bindText(s, 2, r[1].text, "NUTR_DEF.db", "Units");
            bindText(s, 3, r[3].text, "NUTR_DEF.db", "Nutr_Desc");
            return true;
        });
        importTable("NUT_DATA.txt.gz", 18, "NUT_DATA.db", [&](const SrRecord& r, const SrFileReader& f, SqliteStatement& s) {
            if (!wanted(r[0], f))
                return false;
            bindInteger(s, 1, r[0], f);
            bindInteger(s, 2, r[1], f);
            bindNumber(s, 3, r[2], f);
            return true;
        });
        importTable("WEIGHT.txt.gz", 7, "WEIGHT.db", [&](const SrRecord& r, const SrFileReader& f, SqliteStatement& s) {
            if (!wanted(r[0], f))
                return false;
            bindInteger(s, 1, r[0], f);
            bindInteger(s, 2, r[1], f);
            bindNumber(s, 3, r[2], f);
            bindText(s, 4, r[3].text, "WEIGHT.db", "Msre_Desc");
            bindNumber(s, 5, r[4], f);
            return true;
        });
    }

    // Rows taken from each reference file, by table.
    const std::map<std::string, std::int64_t>& imported() const { return imported_; }

private:
    using RowBinder = std::function<bool(const SrRecord&, const SrFileReader&, SqliteStatement&)>;

    void importTable(const std::string& file, std::size_t fieldCount, const std::string& table, const RowBinder& bind)
    {
        const TableDefinition& definition = tableDefinition(table);
        std::string columns;
        std::string placeholders;
        for (const auto& field : definition.fields) {
            if (field.type == FieldType::AutoIncrement)
                continue; // assigned by the engine, in file order
            columns += (columns.empty() ? "" : ", ") + quoteIdentifier(field.name);
            placeholders += placeholders.empty() ? "?" : ", ?";
        }
        auto insert = db_.prepare("INSERT INTO " + quoteIdentifier(table) + " (" + columns + ") VALUES (" + placeholders + ")");
        const fs::path path = referenceDir_ / file;
        if (!fs::exists(path))
            throw ProgramError("Reference file missing: " + path.string());
        SrFileReader reader(path.string(), fieldCount);
        SrRecord record;
        std::int64_t rows = 0;
        while (reader.next(record)) {
            if (!bind(record, reader, insert)) {
                insert.reset();
                continue;
            }
            try {
                insert.step();
            } catch (const ProgramError& e) {
                throw ProgramError(reader.fileName() + " record " + std::to_string(reader.recordsRead()) + ": " + e.what());
            }
            insert.reset();
            ++rows;
        }
        imported_[table] = rows;
    }

    bool wanted(const SrField& food, const SrFileReader& reader) const
    {
        return !foods_ || foods_->contains(static_cast<std::int32_t>(srInteger(food, reader).value_or(0)));
    }

    static void bindInteger(SqliteStatement& s, int position, const SrField& field, const SrFileReader& reader)
    {
        if (const auto value = srInteger(field, reader))
            s.bindInt(position, *value);
        else
            s.bindNull(position);
    }

    static void bindNumber(SqliteStatement& s, int position, const SrField& field, const SrFileReader& reader)
    {
        if (const auto value = srNumber(field, reader))
            s.bindDouble(position, *value);
        else
            s.bindNull(position);
    }

    void bindText(SqliteStatement& s, int position, const std::string& text, const std::string& table, const std::string& fieldName)
    {
        const int size = tableDefinition(table).findField(fieldName)->size;
        if (utf8Length(text) > static_cast<std::size_t>(size)) {
            ++report_.textsCut;
            report_.cutTexts.push_back(table + "." + fieldName + ": " + text);
            s.bindText(position, utf8Prefix(text, static_cast<std::size_t>(size)));
        } else {
            s.bindText(position, text);
        }
    }

    SqliteDatabase& db_;
    fs::path referenceDir_;
    const std::optional<std::set<std::int32_t>>& foods_;
    InstallReport& report_;
    std::map<std::string, std::int64_t> imported_;
};

std::int64_t countOf(SqliteDatabase& db, const std::string& sql)
{
    auto statement = db.prepare(sql);
    statement.step();
    return statement.columnInt(0);
}

void checkInstallation(SqliteDatabase& db, const std::map<std::string, std::int64_t>& imported, InstallReport& report)
{
    for (const auto& table : allTableDefinitions()) {
        checkStoredTable(db, table);
        const std::int64_t rows = countOf(db, "SELECT count(*) FROM " + quoteIdentifier(table.name));
        if (const auto expected = imported.find(table.name); expected != imported.end() && expected->second != rows)
            throw ProgramError(table.name + " holds " + std::to_string(rows) + " rows where the reference file has "
                               + std::to_string(expected->second));
        report.rowCounts.emplace_back(table.name, rows);
    }
    for (const auto& table : ownTableDefinitions())
        checkStoredTable(db, table);
    const std::pair<const char*, const char*> orphanChecks[] = {
        {R"(SELECT count(*) FROM "NUT_DATA.db" WHERE NDB_No NOT IN (SELECT NDB_No FROM "FOOD_DES.db"))",
         "NUT_DATA.db rows name foods that do not exist"},
        {R"(SELECT count(*) FROM "WEIGHT.db" WHERE NDB_No NOT IN (SELECT NDB_No FROM "FOOD_DES.db"))",
         "WEIGHT.db rows name foods that do not exist"},
        {R"(SELECT count(*) FROM "NUT_DATA.db" WHERE Nutr_No NOT IN (SELECT Nutr_No FROM "NUTR_DEF.db"))",
         "NUT_DATA.db rows name nutrients that do not exist"},
        {R"(SELECT count(*) FROM "FOOD_DES.db" WHERE FdGrp_Cd NOT IN (SELECT FdGrp_Cd FROM "FD_GROUP.db"))",
         "FOOD_DES.db rows name food groups that do not exist"},
    };
    for (const auto& [sql, problem] : orphanChecks)
        if (const auto orphans = countOf(db, sql); orphans > 0)
            throw ProgramError(std::to_string(orphans) + " " + problem);
}

// The hidden folder an installation builds in: ".<target>.partial-" and the six
// characters mkdtemp puts in place of the X's.
const std::string kWorkSuffix = ".partial-";
constexpr std::size_t kWorkRandomLength = 6;

std::string workFolderPrefix(const fs::path& target)
{
    return "." + target.filename().string() + kWorkSuffix;
}

fs::path parentOf(const fs::path& target)
{
    return target.parent_path().empty() ? fs::path(".") : target.parent_path();
}

// An installation holds an flock on its work folder while it builds; the system
// drops it when the installation ends, killed or not. A work folder nobody holds
// is a leftover.
class WorkFolderLock {
public:
    explicit WorkFolderLock(const fs::path& folder)
        : descriptor_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC))
    {
    }
    ~WorkFolderLock()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    WorkFolderLock(const WorkFolderLock&) = delete;
    WorkFolderLock& operator=(const WorkFolderLock&) = delete;

    bool tryLock() const { return descriptor_ >= 0 && ::flock(descriptor_, LOCK_EX | LOCK_NB) == 0; }

private:
    int descriptor_;
};

bool isWorkFolderName(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + kWorkRandomLength || !name.starts_with(prefix))
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](unsigned char c) { return std::isalnum(c); });
}

// Removes the work folders that earlier installations of this target left when
// they were killed; a folder another installation is still building in stays.
void removeLeftoverWorkFolders(const fs::path& target)
{
    const std::string prefix = workFolderPrefix(target);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(parentOf(target), ec)) {
        if (!isWorkFolderName(entry.path().filename().string(), prefix) || !entry.is_directory(ec) || entry.is_symlink(ec))
            continue;
        const WorkFolderLock lock(entry.path());
        if (lock.tryLock())
            fs::remove_all(entry.path(), ec);
    }
}

fs::path makeWorkFolder(const fs::path& target)
{
    std::string pattern = (parentOf(target) / (workFolderPrefix(target) + std::string(kWorkRandomLength, 'X'))).string();
    if (!mkdtemp(pattern.data()))
        throw ProgramError("Cannot create a work folder beside " + target.string());
    // mkdtemp makes the folder private; a data folder is an ordinary one.
    using fs::perms;
    fs::permissions(pattern, perms::owner_all | perms::group_read | perms::group_exec | perms::others_read | perms::others_exec);
    return pattern;
}

} // namespace

bool folderHoldsData(const fs::path& folder)
{
    std::error_code ec;
    return fs::exists(folder, ec) && (!fs::is_directory(folder, ec) || !fs::is_empty(folder, ec));
}

InstallReport installDataFolder(const InstallOptions& options)
{
    // "data/", as a shell completes it, names the same folder as "data".
    const fs::path target = options.target.has_filename() ? options.target : options.target.parent_path();
    removeLeftoverWorkFolders(target);
    if (folderHoldsData(target))
        throw ProgramError("The folder " + target.string() + " already holds data; nothing was changed");

    InstallReport report;
    const fs::path work = makeWorkFolder(target);
    const WorkFolderLock building(work);
    // Without lock support in the file system, only a concurrent installation's
    // cleanup could take this folder away; the build goes on.
    building.tryLock();
    try {
        {
            SqliteDatabase db((work / kDatabaseFileName).string(), SqliteDatabase::Mode::Create);
            db.execute("PRAGMA synchronous = OFF");
            db.execute("PRAGMA journal_mode = MEMORY");
            createTables(db);
            SqliteTransaction transaction(db);
            Importer importer(db, options.referenceDir, options.foods, report);
            importer.importAll();
            addStarterContent(db);
            transaction.commit();
            createIndexes(db);
            // The same steps that upgrade an older folder bring this one to the current layout.
            applySchemaSteps(db);
            checkInstallation(db, importer.imported(), report);
            db.execute("PRAGMA journal_mode = DELETE");
            db.execute("ANALYZE");
        }
        // An empty folder left where the data goes is replaced; rename refuses anything else.
        std::error_code ignored;
        fs::remove(target, ignored);
        fs::rename(work, target);
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(work, ignored);
        throw;
    }
    return report;
}
