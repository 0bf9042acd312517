#include "support/TestDataFolder.h"

#include "store/Schema.h"

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
