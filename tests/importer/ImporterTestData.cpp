#include "importer/ImporterTestData.h"

#include <fstream>

ImporterTestFolder::ImporterTestFolder()
{
    std::filesystem::copy(SAPORIA_KITCHEN_DATA, dataFolder(), std::filesystem::copy_options::recursive);
}

std::unique_ptr<Database> ImporterTestFolder::open() const
{
    return std::make_unique<Database>("importer", dataFolder());
}

std::filesystem::path ImporterTestFolder::write(const std::string& name, const std::string& content) const
{
    const std::filesystem::path file = path() / name;
    std::ofstream(file, std::ios::binary) << content;
    return file;
}
