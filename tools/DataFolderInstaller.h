#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Builds a complete data folder: the tables, the USDA reference data and the starter
// content. Everything is built in a hidden folder beside the target and renamed into
// place only once it has been checked, so a failure never leaves a half-built folder.
// The hidden folders that killed installations of the same target left behind are
// removed by the next installation.

struct InstallOptions {
    std::filesystem::path referenceDir; // holds FD_GROUP.txt.gz ... WEIGHT.txt.gz
    std::filesystem::path target;       // the data folder to create
    // Import only these foods (with their values and measures); all when empty.
    std::optional<std::set<std::int32_t>> foods;
};

struct InstallReport {
    std::vector<std::pair<std::string, std::int64_t>> rowCounts; // table, rows, in schema order
    int textsCut = 0;
    std::vector<std::string> cutTexts; // "table.field: text" of every text cut to its field size
};

// Throws ProgramError when the target already holds data, when a reference file is
// missing or malformed, or when the built data fails its own checks.
InstallReport installDataFolder(const InstallOptions& options);

// True when the folder exists and holds anything.
bool folderHoldsData(const std::filesystem::path& folder);
