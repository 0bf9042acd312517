#include "bench/BenchSupport.h"

#include "kitchen/IngredientLine.h"
#include "kitchen/IngredientLinker.h"
#include "store/Database.h"

#include <QFile>
#include <QStringList>

#include <cmath>

namespace {

// The development corpus of hand-split lines: what the reader is measured on, never tested with.
struct CorpusLine {
    QString input;
    QString quantity;
    QString unit;
    QString size;
};

QStringList csvFields(QStringView row)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < row.size(); ++i) {
        const QChar c = row[i];
        if (quoted) {
            if (c == u'"' && i + 1 < row.size() && row[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    return fields;
}

const std::vector<CorpusLine>& corpus()
{
    static const std::vector<CorpusLine> lines = [] {
        std::vector<CorpusLine> read;
        QFile file(QStringLiteral(SAPORIA_CORPUS_DIR "/ingredient-lines-dev.csv"));
        if (!file.open(QIODevice::ReadOnly))
            return read;
        const QString text = QString::fromUtf8(file.readAll());
        QStringList rows = text.split(u'\n', Qt::SkipEmptyParts);
        rows.removeFirst(); // the header
        for (const QString& row : rows) {
            const QStringList fields = csvFields(row);
            if (fields.size() >= 5)
                read.push_back({fields[0], fields[2].trimmed(), fields[3].trimmed(), fields[4].trimmed()});
        }
        return read;
    }();
    return lines;
}

// "#3$4" is 3/4, "1#1$2" is 1 1/2.
std::optional<double> corpusNumber(const QString& written)
{
    const qsizetype hash = written.indexOf(u'#');
    if (hash < 0) {
        bool ok = false;
        const double value = written.toDouble(&ok);
        return ok ? std::optional(value) : std::nullopt;
    }
    const qsizetype dollar = written.indexOf(u'$', hash);
    if (dollar < 0)
        return std::nullopt;
    const double whole = hash == 0 ? 0 : written.first(hash).toDouble();
    const double denominator = written.sliced(dollar + 1).toDouble();
    if (denominator == 0)
        return std::nullopt;
    return whole + written.sliced(hash + 1, dollar - hash - 1).toDouble() / denominator;
}

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-3;
}

double quantityShare()
{
    int given = 0;
    int exact = 0;
    for (const CorpusLine& line : corpus()) {
        if (line.quantity.isEmpty())
            continue;
        ++given;
        const QString first = line.quantity.split(u' ').first();
        const QStringList range = first.split(u'-');
        const auto low = corpusNumber(range.first());
        const auto high = range.size() > 1 ? corpusNumber(range[1]) : low;
        const IngredientLine read = readIngredientLine(line.input);
        if (!low || !high || !read.quantity)
            continue;
        if (near(*read.quantity, *low) || near(*read.quantity, (*low + *high) / 2))
            ++exact;
    }
    return given ? double(exact) / given : 0;
}

// One name per unit: the reader's canonical one, or the folded text when no unit is known.
QString unitKey(const QString& written)
{
    if (const auto unit = unitFromText(written))
        return unitName(*unit);
    return written.toLower();
}

double unitShare()
{
    int given = 0;
    int exact = 0;
    for (const CorpusLine& line : corpus()) {
        const QString expectedText = line.unit.isEmpty() ? line.size : line.unit;
        if (expectedText.isEmpty())
            continue;
        ++given;
        const QStringList words = expectedText.split(u' ');
        const QString expected = words.size() > 1 && unitFromText(words[0] + u' ' + words[1])
                                     ? unitKey(words[0] + u' ' + words[1])
                                     : unitKey(words[0]);
        const IngredientLine read = readIngredientLine(line.input);
        const auto unit = read.unit ? read.unit : read.size;
        const QString found = unit ? unitName(*unit) : read.unitText.toLower();
        // "1 (14.5 oz) can": the amount of one item stands before the unit, and the corpus lists it first.
        const bool itemFirst = read.alternative && read.alternative->perItem && unitName(read.alternative->unit) == expected;
        // "1 lg clove": the corpus lists a size written before the unit first, as the reader reads it.
        const bool sizeFirst = read.unit && read.size && unitName(*read.size) == expected;
        if (found == expected || itemFirst || sizeFirst)
            ++exact;
    }
    return given ? double(exact) / given : 0;
}

void lineRead(benchmark::State& state)
{
    QStringList lines;
    for (const CorpusLine& line : corpus()) {
        lines << line.input;
        if (lines.size() == 1000)
            break;
    }
    for (auto _ : state)
        for (const QString& line : lines)
            benchmark::DoNotOptimize(readIngredientLine(line));
}

const QStringList kLinkLines{
    QStringLiteral("2 tbsp unsalted butter, softened"), QStringLiteral("1 ½ cups (190 g) all-purpose flour"),
    QStringLiteral("2 large eggs"), QStringLiteral("1 (14.5 oz) can diced tomatoes"),
    QStringLiteral("3 cloves garlic, minced"), QStringLiteral("1 medium yellow onion, finely chopped"),
    QStringLiteral("250 ml whole milk"), QStringLiteral("1 cup shredded sharp cheddar cheese"),
};

// One line per iteration, read, matched and weighed, with the matcher's index built.
void link(benchmark::State& state)
{
    Database foods("foods", "data", Database::Access::ReadOnly);
    IngredientLinker linker(foods);
    linker.prepare();
    qsizetype next = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(linker.propose(kLinkLines[next++ % kLinkLines.size()]));
}

void indexBuild(benchmark::State& state)
{
    Database foods("foods", "data", Database::Access::ReadOnly);
    for (auto _ : state) {
        IngredientLinker linker(foods);
        linker.prepare();
    }
}

void share(benchmark::State& state, double (*measure)())
{
    double value = 0;
    for (auto _ : state)
        value = measure();
    state.counters["share"] = value;
}

} // namespace

SAPORIA_FIGURE("ingredient_line_read", lineRead);
SAPORIA_FIGURE("ingredient_link", link);
SAPORIA_FIGURE("ingredient_index_build", indexBuild);
BENCHMARK_CAPTURE(share, quantity, quantityShare)->Name("ingredient_quantity_exact")->Iterations(1);
BENCHMARK_CAPTURE(share, unit, unitShare)->Name("ingredient_unit_exact")->Iterations(1);
