#pragma once

#include "support/TestDataFolder.h"

#include "store/Database.h"

#include <filesystem>
#include <memory>
#include <string>

// A working directory whose data/ is a fresh copy of the ingredient tests' data
// folder: every curated food with its measures, and the starter recipes.
class ImporterTestFolder {
public:
    ImporterTestFolder();

    const std::filesystem::path& path() const { return dir_.path(); }
    std::filesystem::path dataFolder() const { return dir_.dataFolder(); }
    StoredData stored() const { return StoredData(dir_.dataFolder() / "saporia.sqlite"); }
    std::unique_ptr<Database> open() const;
    // Writes `content` to a file of the working directory and returns its path.
    std::filesystem::path write(const std::string& name, const std::string& content) const;

private:
    TestWorkingDirectory dir_{TestWorkingDirectory::Data::None};
};
