// saporia-makedb: creates a Saporia data folder from the USDA reference files.
//
//   saporia-makedb [--reference DIR] [--foods N,N,...] [--quiet] TARGET
//
// --reference defaults to the installed reference files when there are any, else to
// the source folder's reference/sr28. --foods imports only the listed foods (plus
// those the starter recipes use), which is how the test fixture is made. An existing
// TARGET that holds anything is refused.

#include "tools/DataFolderInstaller.h"
#include "tools/StarterContent.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: saporia-makedb [--reference DIR] [--foods N,N,...] [--quiet] TARGET\n");
    return 2;
}

// Installed, the tool reads the reference files installed beside it (PREFIX/share/
// saporia/sr28), since the source folder it was built from may be gone.
std::filesystem::path defaultReferenceDir()
{
    std::error_code ec;
    const auto installed = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / "share"
                           / "saporia" / "sr28";
    return !ec && std::filesystem::is_directory(installed, ec) ? installed : std::filesystem::path(SAPORIA_REFERENCE_DIR);
}

std::set<std::int32_t> parseFoodList(const std::string& text)
{
    std::set<std::int32_t> foods;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ','))
        foods.insert(std::stoi(item));
    for (std::int32_t food : starterFoods())
        foods.insert(food);
    return foods;
}

} // namespace

int main(int argc, char** argv)
{
    InstallOptions options;
    options.referenceDir = defaultReferenceDir();
    bool quiet = false;
    std::string target;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            if (arg == "--reference" && i + 1 < argc)
                options.referenceDir = argv[++i];
            else if (arg == "--foods" && i + 1 < argc)
                options.foods = parseFoodList(argv[++i]);
            else if (arg == "--quiet")
                quiet = true;
            else if (!arg.starts_with("--") && target.empty())
                target = arg;
            else
                return usage();
        }
        if (target.empty())
            return usage();
        options.target = target;

        const auto start = std::chrono::steady_clock::now();
        const InstallReport report = installDataFolder(options);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!quiet) {
            std::printf("Created %s in %.2f s:\n", target.c_str(), seconds);
            for (const auto& [table, rows] : report.rowCounts)
                std::printf("  %-24s %8lld rows\n", table.c_str(), static_cast<long long>(rows));
            std::printf("  texts cut to their field size: %d\n", report.textsCut);
            for (const auto& text : report.cutTexts)
                std::printf("    %s\n", text.c_str());
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "saporia-makedb: %s\n", e.what());
        return 1;
    }
}
