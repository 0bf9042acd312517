#pragma once

#include "exchange/RecipeLinking.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Database;
class IngredientLinker;

struct ImportedRecipe {
    LinkedRecipe recipe;
    // Worked out from the linked lines; nothing when the serves are not known.
    std::optional<double> energyKcalPerServe;
    std::optional<std::int64_t> storedAs; // its R_ID, once stored
    std::string error;                    // why storing it failed
};

struct FileImport {
    std::filesystem::path file;
    std::string error;                    // why the file gave no recipe
    std::vector<std::string> skipped;     // parts passed over while others were read
    std::vector<ImportedRecipe> recipes;

    // At least one recipe read, and stored unless it was a dry run.
    bool ok() const;
};

// Reads recipe files, links their lines against a data folder's foods and, unless
// told to store nothing, stores each recipe in a transaction of its own.
class RecipeImporter {
public:
    enum class Mode { Store, DryRun };
    RecipeImporter(Database& data, Mode mode);
    ~RecipeImporter();
    RecipeImporter(const RecipeImporter&) = delete;
    RecipeImporter& operator=(const RecipeImporter&) = delete;

    FileImport importFile(const std::filesystem::path& file);
    // The recipes a reader gave, as one file would.
    FileImport importDrafts(const std::filesystem::path& origin, const std::vector<RecipeDraft>& drafts);

private:
    Database& data_;
    Mode mode_;
    std::unique_ptr<IngredientLinker> linker_;
};

// One file's result as one line of JSON (the batch importer's --json).
std::string importJson(const FileImport& result);
// One file's result as one line for people.
std::string importSummary(const FileImport& result, RecipeImporter::Mode mode);
