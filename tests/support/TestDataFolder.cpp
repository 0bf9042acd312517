#include "support/TestDataFolder.h"

#include "store/ProgramError.h"
#include "store/Schema.h"
#include "store/Sqlite.h"

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

TestWorkingDirectory::TestWorkingDirectory(Data data) : previous_(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "saporia-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory");
    path_ = pattern;
    if (data == Data::Fixture) {
        fs::create_directory(dataFolder());
        fs::copy_file(fs::path(SAPORIA_FIXTURE_DATA) / kDatabaseFileName, databaseFile());
    }
    fs::current_path(path_);
}

TestWorkingDirectory::~TestWorkingDirectory()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
}

fs::path TestWorkingDirectory::databaseFile() const
{
    return dataFolder() / kDatabaseFileName;
}

fs::path referenceFolder()
{
    return SAPORIA_REFERENCE_DIR;
}

struct HeldDataFile::Holder {
    Holder(const std::filesystem::path& file, HeldDataFile::Hold hold)
        : connection(file.string(), SqliteDatabase::Mode::OpenExisting), timeout(SqliteDatabase::busyTimeout())
    {
        connection.execute(hold == HeldDataFile::Hold::Writes ? "BEGIN IMMEDIATE" : "BEGIN EXCLUSIVE");
    }
    ~Holder()
    {
        connection.execute("ROLLBACK");
        SqliteDatabase::setBusyTimeout(timeout);
    }
    SqliteDatabase connection;
    std::chrono::milliseconds timeout;
};

HeldDataFile::HeldDataFile(const std::filesystem::path& databaseFile, Hold hold)
    : holder_(new Holder(databaseFile, hold))
{
    SqliteDatabase::setBusyTimeout(std::chrono::milliseconds(50));
}

HeldDataFile::~HeldDataFile()
{
    release();
}

void HeldDataFile::release()
{
    delete holder_;
    holder_ = nullptr;
}

std::string errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ProgramError& error) {
        return error.what();
    }
    return "no error";
}
