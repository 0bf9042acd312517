// Reading saved recipe pages: the time to read one page, and on the English pages
// with JSON-LD the share read with the title and every ingredient line as published.
// Importing them: the time to read, link and total one page on the full data, the
// share of lines linked with grams, and how near the calories per serve come to
// those the sites publish. Set SAPORIA_BENCH_MISSES=1 to list the pages that miss,
// SAPORIA_BENCH_LINKS=1 to list every imported line with its link or why it has none.

#include "bench/BenchSupport.h"

#include "exchange/RecipeImport.h"
#include "exchange/RecipeReaders.h"
#include "exchange/RecipeStore.h"
#include "store/Database.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct CorpusPage {
    std::string file;
    std::string bytes;
    QJsonObject expected;
};

// Unpacked once into the bench build folder.
fs::path pagesDirectory()
{
    const fs::path target = fs::path(SAPORIA_BENCH_BUILD_DIR) / "corpus";
    const fs::path expected = target / "recipe-pages" / "expected.json";
    if (!fs::exists(expected)) {
        fs::create_directories(target);
        const std::string command = "tar -xJf '" + (fs::path(SAPORIA_CORPUS_DIR) / "recipe-pages-dev.tar.xz").string()
                                  + "' -C '" + target.string() + "'";
        if (std::system(command.c_str()) != 0 || !fs::exists(expected))
            throw std::runtime_error("cannot unpack the recipe pages: " + command);
    }
    return expected.parent_path();
}

std::vector<CorpusPage> loadPages()
{
    const fs::path directory = pagesDirectory();
    QFile file(QString::fromStdString((directory / "expected.json").string()));
    file.open(QIODevice::ReadOnly);
    std::vector<CorpusPage> pages;
    for (const QJsonValue& entry : QJsonDocument::fromJson(file.readAll()).array()) {
        CorpusPage page{entry[QStringLiteral("file")].toString().toStdString(), {}, entry.toObject()};
        std::ifstream in(directory / page.file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        page.bytes = bytes.str();
        pages.push_back(std::move(page));
    }
    return pages;
}

const std::vector<CorpusPage>& corpusPages()
{
    static const std::vector<CorpusPage> pages = loadPages();
    return pages;
}

// As compared: Unicode NFKC, blanks collapsed, case folded.
QString comparable(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC).simplified().toCaseFolded();
}

QString describe(const QStringList& lines)
{
    return lines.join(QStringLiteral(" | "));
}

double millisecondsToRead(const CorpusPage& page)
{
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(readRecipePage(page.bytes));
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void ImportPages(benchmark::State& state)
{
    const std::vector<CorpusPage>& pages = corpusPages();
    const bool listMisses = std::getenv("SAPORIA_BENCH_MISSES") != nullptr;
    std::vector<double> times;
    int measured = 0;
    int titleExact = 0;
    int linesExact = 0;
    for (auto _ : state) {
        for (const CorpusPage& page : pages)
            times.push_back(millisecondsToRead(page));
    }
    for (const CorpusPage& page : pages) {
        if (!page.expected[QStringLiteral("english")].toBool() || !page.expected[QStringLiteral("jsonld")].toBool())
            continue;
        ++measured;
        const RecipeReading reading = readRecipePage(page.bytes);
        const RecipeDraft draft = reading.ok() ? reading.recipes.front() : RecipeDraft{};
        const QString title = QString::fromStdString(draft.name);
        const QString expectedTitle = page.expected[QStringLiteral("title")].toString();
        const bool titleOk = comparable(title) == comparable(expectedTitle);
        titleExact += titleOk;
        QStringList lines;
        for (const DraftIngredient& line : draft.ingredients)
            lines.append(comparable(QString::fromStdString(line.text)));
        QStringList expectedLines;
        for (const QJsonValue& line : page.expected[QStringLiteral("ingredients")].toArray())
            expectedLines.append(comparable(line.toString()));
        const bool linesOk = lines == expectedLines;
        linesExact += linesOk;
        if (listMisses && (!titleOk || !linesOk))
            std::fprintf(stderr, "miss %s%s\n  title  %s\n  wanted %s\n  lines  %s\n  wanted %s\n", page.file.c_str(),
                         reading.ok() ? "" : (" (" + reading.problem + ")").c_str(), qPrintable(title),
                         qPrintable(expectedTitle), qPrintable(describe(lines)), qPrintable(describe(expectedLines)));
    }
    std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2), times.end());
    recordFigure("import_page_read", times[times.size() / 2]);
    recordFigure("import_title_exact", measured ? static_cast<double>(titleExact) / measured : 0);
    recordFigure("import_lines_exact", measured ? static_cast<double>(linesExact) / measured : 0);
}

bool englishJsonLd(const CorpusPage& page)
{
    return page.expected[QStringLiteral("english")].toBool() && page.expected[QStringLiteral("jsonld")].toBool();
}

FileImport importPage(RecipeImporter& importer, const CorpusPage& page)
{
    return importer.importDrafts(page.file, readRecipePage(page.bytes).recipes);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

double lineKcal(const Database& data, const LinkedLine& line)
{
    double kcal = 0;
    for (const NutrientTotal& total : totalsOfLinkedLines(data.sqlite(), {line}))
        if (total.nutrientNumber == 208)
            kcal += total.value;
    return kcal;
}

void listLines(const Database& data, const ImportedRecipe& recipe)
{
    for (const LinkedLine& line : recipe.recipe.lines)
        std::fprintf(stderr, "    %-50s %s\n", line.text.c_str(),
                     line.link ? (std::to_string(static_cast<int>(line.link->grams)) + " g " +
                                  std::to_string(static_cast<int>(lineKcal(data, line))) + " kcal " + line.link->food)
                                     .c_str()
                               : ("-- " + line.reason).c_str());
}

// Read, linked and totalled as the import does, storing nothing.
void ImportPageLinked(benchmark::State& state)
{
    Database data("import", "data", Database::Access::ReadOnly);
    RecipeImporter importer(data, RecipeImporter::Mode::DryRun);
    const std::vector<CorpusPage>& pages = corpusPages();
    importPage(importer, pages.front()); // the food index is built once, before the pages are timed
    std::vector<double> times;
    for (auto _ : state) {
        for (const CorpusPage& page : pages) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(importPage(importer, page));
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
    recordFigure("import_page", median(times));
}

void ImportAccuracy(benchmark::State& state)
{
    Database data("import", "data", Database::Access::ReadOnly);
    RecipeImporter importer(data, RecipeImporter::Mode::DryRun);
    const bool listMisses = std::getenv("SAPORIA_BENCH_MISSES") != nullptr;
    const bool listLinks = std::getenv("SAPORIA_BENCH_LINKS") != nullptr;
    std::size_t lines = 0;
    std::size_t withGrams = 0;
    std::vector<double> kcalErrors;
    for (auto _ : state) {
        for (const CorpusPage& page : corpusPages()) {
            if (!englishJsonLd(page))
                continue;
            const FileImport result = importPage(importer, page);
            if (result.recipes.empty())
                continue;
            const ImportedRecipe& recipe = result.recipes.front();
            lines += recipe.recipe.lines.size();
            withGrams += recipe.recipe.linkedCount();
            if (listLinks) {
                std::fprintf(stderr, "page %s: serves %s (page: %s)\n", page.file.c_str(),
                             recipe.recipe.draft.serves ? std::to_string(*recipe.recipe.draft.serves).c_str() : "none",
                             qPrintable(page.expected[QStringLiteral("yields")].toVariant().toString()));
                listLines(data, recipe);
            }
            const QJsonValue published = page.expected[QStringLiteral("kcal_per_serving")];
            if (!published.isDouble() || !(published.toDouble() > 0))
                continue;
            const double error = recipe.energyKcalPerServe
                                     ? std::abs(*recipe.energyKcalPerServe - published.toDouble()) / published.toDouble()
                                     : 1;
            kcalErrors.push_back(error);
            if (listMisses && error > 0.2) {
                std::fprintf(stderr, "kcal miss %s: %s kcal per serve, published %g, serves %s (page: %s)\n",
                             page.file.c_str(),
                             recipe.energyKcalPerServe ? std::to_string(*recipe.energyKcalPerServe).c_str() : "none",
                             published.toDouble(),
                             recipe.recipe.draft.serves ? std::to_string(*recipe.recipe.draft.serves).c_str() : "none",
                             qPrintable(page.expected[QStringLiteral("yields")].toVariant().toString()));
                listLines(data, recipe);
            }
        }
    }
    const auto within = std::count_if(kcalErrors.begin(), kcalErrors.end(), [](double error) { return error <= 0.2; });
    recordFigure("import_lines_with_grams", lines ? static_cast<double>(withGrams) / static_cast<double>(lines) : 0);
    recordFigure("import_kcal_within_20pct",
                 kcalErrors.empty() ? 0 : static_cast<double>(within) / static_cast<double>(kcalErrors.size()));
    recordFigure("import_kcal_median_error", median(kcalErrors));
    recordFigure("import_kcal_pages", static_cast<double>(kcalErrors.size()));
}

} // namespace

BENCHMARK(ImportPageLinked)->Name("import_page")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportAccuracy)->Name("import_accuracy")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportPages)->Name("import_pages")->Iterations(1)->Unit(benchmark::kMillisecond);
