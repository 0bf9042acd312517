// saporia-import: imports recipes from saved pages, JSON-LD files and plain text
// into a Saporia data folder.
//
//   saporia-import [--data DIR] [--dry-run] [--json] FILE...
//
// The data folder is ./data unless --data names one. Each recipe is stored in a
// transaction of its own; one line is printed per file (with --json, one JSON object).
// Exit: 0 every file gave a recipe, 1 some did not, 2 usage, 3 Saporia runs on the folder.

#include "exchange/RecipeImport.h"
#include "store/DataFolderLock.h"
#include "store/Database.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kAllImported = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsage = 2;
constexpr int kFolderInUse = 3;

int usage(const std::string& problem)
{
    if (!problem.empty())
        std::fprintf(stderr, "saporia-import: %s\n", problem.c_str());
    std::fprintf(stderr, "usage: saporia-import [--data DIR] [--dry-run] [--json] FILE...\n");
    return kUsage;
}

struct Options {
    std::filesystem::path data = "data";
    RecipeImporter::Mode mode = RecipeImporter::Mode::Store;
    bool json = false;
    std::vector<std::filesystem::path> files;
};

// Nothing when the arguments are no valid call; the problem is then in `problem`.
std::optional<Options> parse(int argc, char** argv, std::string& problem)
{
    Options options;
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (onlyFiles || argument.empty() || argument.front() != '-' || argument == "-") {
            options.files.emplace_back(argv[i]);
        } else if (argument == "--") {
            onlyFiles = true;
        } else if (argument == "--dry-run") {
            options.mode = RecipeImporter::Mode::DryRun;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--data") {
            if (++i == argc) {
                problem = "--data needs a folder";
                return std::nullopt;
            }
            options.data = argv[i];
        } else {
            problem = "unknown option " + std::string(argument);
            return std::nullopt;
        }
    }
    if (options.files.empty()) {
        problem = "no file to import";
        return std::nullopt;
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    std::string problem;
    const std::optional<Options> options = parse(argc, argv, problem);
    if (!options)
        return usage(problem);

    // Dry runs write nothing, so they may read a folder Saporia has open.
    const DataFolderLock lock(options->data);
    if (lock.state() == DataFolderLock::State::HeldByOther && options->mode == RecipeImporter::Mode::Store) {
        std::fprintf(stderr, "saporia-import: Saporia is running on the data folder %s; close it and import again.\n",
                     options->data.string().c_str());
        return kFolderInUse;
    }
    try {
        Database data("import", options->data);
        if (options->mode == RecipeImporter::Mode::Store && data.readOnly()) {
            std::fprintf(stderr, "saporia-import: the data folder %s cannot be written.\n", options->data.string().c_str());
            return kSomeFailed;
        }
        RecipeImporter importer(data, options->mode);
        bool allImported = true;
        for (const std::filesystem::path& file : options->files) {
            const FileImport result = importer.importFile(file);
            allImported = allImported && result.ok();
            const std::string line = options->json ? importJson(result) : importSummary(result, options->mode);
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
        }
        return allImported ? kAllImported : kSomeFailed;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "saporia-import: %s\n", error.what());
        return kSomeFailed;
    }
}
