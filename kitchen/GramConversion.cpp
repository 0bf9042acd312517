#include "kitchen/GramConversion.h"

#include "kitchen/NumberReader.h"
#include "kitchen/WordFolding.h"
#include "store/Sqlite.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

const QString kAmountRule = QString::fromLatin1(kAmountRuleMessage);

namespace {

// "cup, chopped" names a cup; "medium (2-1/2\" dia)" a medium one; "tbsp chopped" a tablespoon.
void readMeasureUnit(FoodMeasure& measure)
{
    qsizetype cut = 0;
    while (cut < measure.description.size() && measure.description[cut] != u',' && measure.description[cut] != u'(')
        ++cut;
    const QStringList words = measure.description.first(cut).toLower().split(u' ', Qt::SkipEmptyParts);
    qsizetype used = 0;
    if (words.size() >= 2)
        if ((measure.unit = unitFromText(QString(words[0] + u' ' + words[1]))))
            used = 2;
    if (!measure.unit && !words.isEmpty())
        if ((measure.unit = unitFromText(words[0])))
            used = 1;
    const QStringList all = foldedWords(measure.description);
    measure.qualifiers = all.mid(std::min<qsizetype>(used, all.size()));
}

std::optional<double> withinRule(double grams)
{
    if (!isAllowedGrams(grams))
        return std::nullopt;
    return grams;
}

// A measure of the food made into something else, weighed only when the line asks for it:
// a cup of whipped cream weighs half a cup of the cream poured.
bool changesTheFood(const QString& qualifier)
{
    return qualifier == u"whipped";
}

// "oz" in "can (12.5 oz)": a weight that sizes the measure, as "cups" in "yields 2 cups" do not.
bool isMassWord(const QString& word)
{
    const std::optional<Unit> unit = unitFromText(word);
    return unit && unitKind(*unit) == UnitKind::Mass;
}

// Among measures of one unit, the one whose words the line shares most, then the plainest.
const FoodMeasure* bestOf(const std::vector<const FoodMeasure*>& measures, const QStringList& lineWords)
{
    const FoodMeasure* best = nullptr;
    int bestShared = std::numeric_limits<int>::min();
    qsizetype bestOthers = 0;
    for (const FoodMeasure* measure : measures) {
        int shared = 0;
        int statedSizes = 0;
        for (qsizetype i = 0; i < measure->qualifiers.size(); ++i) {
            const QString& word = measure->qualifiers[i];
            shared += lineWords.contains(word) ? 1 : 0;
            if (!word.isEmpty() && word[0].isDigit() && !lineWords.contains(word)
                && isMassWord(measure->qualifiers.value(i + 1)))
                ++statedSizes;
        }
        qsizetype others = measure->qualifiers.size() - shared;
        // "can (12.5 oz), drained" is a can of one size the line does not give: the plain
        // "can" is the one a line means, whatever else the two share.
        shared -= statedSizes;
        // The first word says what the measure holds: "cup, whipped"; "cup, fluid (yields 2 cups whipped)".
        const QString state = measure->qualifiers.value(0);
        if (changesTheFood(state) && !lineWords.contains(state))
            others += 100;
        // Of sizes the line does not name, the medium one.
        if (measure->qualifiers.contains(QStringLiteral("medium")))
            others -= 50;
        if (shared > bestShared || (shared == bestShared && others < bestOthers)) {
            best = measure;
            bestShared = shared;
            bestOthers = others;
        }
    }
    return best;
}

std::vector<const FoodMeasure*> measuresWith(const std::vector<FoodMeasure>& measures, auto predicate)
{
    std::vector<const FoodMeasure*> found;
    for (const FoodMeasure& measure : measures)
        if (predicate(measure))
            found.push_back(&measure);
    return found;
}

GramResult throughMeasure(const FoodMeasure& measure, double count, const QString& how)
{
    GramResult result;
    const double grams = count * measure.gramsPerUnit();
    result.grams = withinRule(grams);
    if (!result.grams) {
        result.reason = kAmountRule;
        return result;
    }
    result.measure = measure;
    result.measureCount = count;
    result.reason = how.arg(measure.description);
    return result;
}

// "serving 1/2 cup", "serving 1/4 cup": the volume of a serving the tables size by one, in
// millilitres for the measure's whole amount.
std::optional<double> servingMillilitres(const FoodMeasure& measure)
{
    const QString description = measure.description.toLower();
    for (QStringView serving : {u"serving ", u"portion "}) {
        if (!description.startsWith(serving))
            continue;
        const auto number = readNumber(description, serving.size());
        if (!number || !(number->value > 0))
            return std::nullopt;
        const QStringList after = description.sliced(number->end).split(u' ', Qt::SkipEmptyParts);
        const std::optional<Unit> unit = after.isEmpty() ? std::nullopt : unitFromText(after.front());
        if (!unit || unitKind(*unit) != UnitKind::Volume)
            return std::nullopt;
        return measure.amount * number->value * millilitresPerUnit(*unit);
    }
    return std::nullopt;
}

GramResult fromVolume(const IngredientLine& line, double count, const std::vector<FoodMeasure>& measures,
                      const QStringList& lineWords)
{
    const Unit unit = *line.unit;
    if (const FoodMeasure* own = bestOf(measuresWith(measures, [&](const FoodMeasure& m) { return m.unit == unit; }),
                                        lineWords))
        return throughMeasure(*own, count, QStringLiteral("by its measure \"%1\""));
    // The cup first, the measure the tables weigh most foods by, then larger before smaller:
    // a larger measure was weighed with less error than a spoon.
    std::vector<const FoodMeasure*> volumes = measuresWith(
        measures, [](const FoodMeasure& m) { return m.unit && unitKind(*m.unit) == UnitKind::Volume; });
    const auto rank = [](const FoodMeasure* m) { return *m->unit == Unit::Cup ? 1e9 : millilitresPerUnit(*m->unit); };
    std::stable_sort(volumes.begin(), volumes.end(),
                     [&](const FoodMeasure* a, const FoodMeasure* b) { return rank(a) > rank(b); });
    std::vector<const FoodMeasure*> largest;
    for (const FoodMeasure* measure : volumes)
        if (*measure->unit == *volumes.front()->unit)
            largest.push_back(measure);
    GramResult result;
    const FoodMeasure* chosen = bestOf(largest, lineWords);
    if (!chosen) {
        for (const FoodMeasure& serving : measures)
            if (const auto millilitres = servingMillilitres(serving)) {
                result.grams = withinRule(count * millilitresPerUnit(unit) / *millilitres * serving.grams);
                result.reason = result.grams
                                    ? QStringLiteral("by volume through its measure \"%1\"").arg(serving.description)
                                    : kAmountRule;
                return result;
            }
        result.reason = QStringLiteral("no volume measure for this food");
        return result;
    }
    const double grams = count * millilitresPerUnit(unit) / millilitresPerUnit(*chosen->unit) * chosen->gramsPerUnit();
    result.grams = withinRule(grams);
    result.reason = result.grams ? QStringLiteral("by volume through its measure \"%1\"").arg(chosen->description)
                                 : kAmountRule;
    return result;
}

// Words of a measure that weighs one whole item of the food: "fruit (2\" dia)", "pepper", "link, 4/lb",
// a nut's "kernel", a bun's "roll".
const QSet<QString>& wholeItemWords()
{
    static const QSet<QString> words = {QStringLiteral("whole"), QStringLiteral("fruit"), QStringLiteral("item"), QStringLiteral("each"), QStringLiteral("piece"), QStringLiteral("pepper"),
                                        QStringLiteral("link"), QStringLiteral("fillet"), QStringLiteral("steak"), QStringLiteral("tortilla"), QStringLiteral("cookie"), QStringLiteral("muffin"),
                                        QStringLiteral("kernel"), QStringLiteral("roll")};
    return words;
}

// Measures named by the food itself: "Potato large (3\" to 4-1/4\" dia)" for "russet potatoes",
// "sweetpotato, 5\" long" for "sweet potato".
std::vector<const FoodMeasure*> namingMeasures(const std::vector<FoodMeasure>& measures, const QStringList& lineWords)
{
    const QString joined = lineWords.join(QString());
    return measuresWith(measures, [&](const FoodMeasure& m) {
        const QString first = foldedWords(m.description).value(0);
        return !m.unit && !first.isEmpty() && (lineWords.contains(first) || (first.size() >= 6 && joined.contains(first)));
    });
}

// A plain count ("2 eggs", "1 onion") or a size the food has no measure of ("4 medium chicken
// breasts"): the measure that names the food, else the size asked for, a medium one, a large,
// a small, else a whole one or a piece.
const FoodMeasure* plainCountMeasure(const std::vector<FoodMeasure>& measures, const QStringList& lineWords,
                                     std::optional<Unit> size)
{
    if (const FoodMeasure* named = bestOf(namingMeasures(measures, lineWords), lineWords))
        return named;
    std::vector<Unit> sizes = {Unit::Medium, Unit::Large, Unit::Small};
    if (size)
        sizes.insert(sizes.begin(), *size);
    for (const Unit wanted : sizes)
        for (const FoodMeasure& measure : measures)
            if (measure.unit == wanted)
                return &measure;
    for (const FoodMeasure& measure : measures) {
        const QString word = foldedWords(measure.description).value(0);
        if (wholeItemWords().contains(word))
            return &measure;
    }
    return nullptr;
}

// Units cooks use for one another: a stick of celery is a stalk, and so is a rib.
std::optional<Unit> kinUnit(Unit unit)
{
    switch (unit) {
    case Unit::Stick:
        return Unit::Stalk;
    case Unit::Stalk:
        return Unit::Stick;
    default:
        return std::nullopt;
    }
}

// What one of a small count unit weighs when the food's tables give no measure of it:
// a sprig of a herb, a leaf (a bay leaf is a dry one), a handful of leaves or nuts.
std::optional<double> usualGrams(Unit unit, const QStringList& lineWords)
{
    switch (unit) {
    case Unit::Sprig:
        return 1.0;
    case Unit::Leaf:
        return lineWords.contains(QStringLiteral("bay")) ? 0.2 : 0.5;
    case Unit::Handful:
        return 30.0;
    default:
        return std::nullopt;
    }
}

GramResult byUsualWeight(Unit unit, double count, const QStringList& lineWords)
{
    GramResult result;
    const std::optional<double> each = usualGrams(unit, lineWords);
    if (!each)
        return result;
    result.grams = withinRule(count * *each);
    result.reason = result.grams ? QStringLiteral("by the usual weight of a %1, %2 g").arg(unitName(unit)).arg(*each)
                                 : kAmountRule;
    return result;
}

GramResult fromCount(const IngredientLine& line, double count, const std::vector<FoodMeasure>& measures,
                     const QStringList& lineWords)
{
    GramResult result;
    const auto ofUnit = [&](Unit unit) {
        return bestOf(measuresWith(measures, [&](const FoodMeasure& m) { return m.unit == unit; }), lineWords);
    };
    if (line.unit) {
        const Unit unit = *line.unit;
        if (const FoodMeasure* own = ofUnit(unit))
            return throughMeasure(*own, count, QStringLiteral("by its measure \"%1\""));
        if (const auto kin = kinUnit(unit))
            if (const FoodMeasure* own = ofUnit(*kin))
                return throughMeasure(*own, count, QStringLiteral("by its measure \"%1\""));
        if (GramResult usual = byUsualWeight(unit, count, lineWords); usual.grams || !usual.reason.isEmpty())
            return usual;
        result.reason = QStringLiteral("no \"%1\" measure for this food").arg(unitName(unit));
        return result;
    }
    if (line.size) {
        const Unit size = *line.size;
        if (const FoodMeasure* own = ofUnit(size))
            return throughMeasure(*own, count, QStringLiteral("by its measure \"%1\""));
        // "Potato large (...)": the size stands among the words of a measure that names the food.
        if (size != Unit::Inch)
            if (const FoodMeasure* plain = plainCountMeasure(measures, lineWords, size))
                return throughMeasure(*plain, count, QStringLiteral("counted by its measure \"%1\""));
        result.reason = QStringLiteral("no \"%1\" measure for this food").arg(unitName(size));
        return result;
    }
    if (const FoodMeasure* plain = plainCountMeasure(measures, lineWords, std::nullopt))
        return throughMeasure(*plain, count, QStringLiteral("counted by its measure \"%1\""));
    // "2 bay leaves": the unit is the food's last word.
    if (lineWords.value(lineWords.size() - 1) == u"leaf")
        if (GramResult usual = byUsualWeight(Unit::Leaf, count, lineWords); usual.grams)
            return usual;
    result.reason = QStringLiteral("no count measure for this food");
    return result;
}

} // namespace

std::vector<FoodMeasure> measuresOf(const SqliteDatabase& db, std::int32_t ndbNo)
{
    std::vector<FoodMeasure> measures;
    auto statement = db.prepare(R"(SELECT "Weight_ID", "Amount", "Msre_Desc", "Gm_Wgt" FROM "WEIGHT.db")"
                                R"( WHERE "NDB_No" = ?1 ORDER BY "Weight_ID")");
    statement.bindInt(1, ndbNo);
    while (statement.step()) {
        FoodMeasure measure;
        measure.weightId = static_cast<std::int32_t>(statement.columnInt(0));
        measure.amount = statement.columnDouble(1);
        measure.description = QString::fromStdString(statement.columnText(2));
        measure.grams = statement.columnDouble(3);
        if (!(measure.amount > 0) || !(measure.grams > 0) || !std::isfinite(measure.gramsPerUnit()))
            continue;
        readMeasureUnit(measure);
        measures.push_back(std::move(measure));
    }
    return measures;
}

GramResult gramsFor(const IngredientLine& line, const std::vector<FoodMeasure>& measures)
{
    GramResult result;
    const std::optional<double> count = line.totalQuantity();
    if (count && !(std::isfinite(*count) && *count > 0)) {
        result.reason = kAmountRule;
        return result;
    }
    if (const auto stated = line.statedGrams()) {
        result.grams = withinRule(*stated);
        result.stated = result.grams.has_value();
        result.reason = result.grams ? QStringLiteral("the mass the line gives") : kAmountRule;
        return result;
    }
    if (!count) {
        result.reason = QStringLiteral("no amount in the line");
        return result;
    }
    const QStringList lineWords = foldedWords(QString(line.sizeText + u' ' + line.food + u' ' + line.preparation));
    if (line.unit && unitKind(*line.unit) == UnitKind::Volume)
        return fromVolume(line, *count, measures, lineWords);
    if (line.alternative && unitKind(line.alternative->unit) == UnitKind::Volume) {
        IngredientLine byVolume = line;
        byVolume.unit = line.alternative->unit;
        const double items = line.alternative->perItem ? *count : 1;
        return fromVolume(byVolume, items * line.alternative->value, measures, lineWords);
    }
    return fromCount(line, *count, measures, lineWords);
}
