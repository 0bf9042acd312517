// Reading saved recipe pages: the time to read one page, and on the English pages
// with JSON-LD the share read with the title and every ingredient line as published.
// Set SAPORIA_BENCH_MISSES=1 to list the pages that miss.

#include "bench/BenchSupport.h"

#include "exchange/RecipeReaders.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>
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
    static const std::vector<CorpusPage> pages = loadPages();
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

} // namespace

BENCHMARK(ImportPages)->Name("import_pages")->Iterations(1)->Unit(benchmark::kMillisecond);
