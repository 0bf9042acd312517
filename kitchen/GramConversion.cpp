#include "kitchen/GramConversion.h"

#include "kitchen/WordFolding.h"
#include "store/Sqlite.h"

#include <algorithm>
#include <cmath>

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

// Among measures of one unit, the one whose words the line shares most, then the plainest.
const FoodMeasure* bestOf(const std::vector<const FoodMeasure*>& measures, const QStringList& lineWords)
{
    const FoodMeasure* best = nullptr;
    int bestShared = -1;
    qsizetype bestOthers = 0;
    for (const FoodMeasure* measure : measures) {
        int shared = 0;
        for (const QString& word : measure->qualifiers)
            shared += lineWords.contains(word) ? 1 : 0;
        qsizetype others = measure->qualifiers.size() - shared;
        // The first word says what the measure holds: "cup, whipped"; "cup, fluid (yields 2 cups whipped)".
        const QString state = measure->qualifiers.value(0);
        if (changesTheFood(state) && !lineWords.contains(state))
            others += 100;
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
        result.reason = QStringLiteral("no volume measure for this food");
        return result;
    }
    const double grams = count * millilitresPerUnit(unit) / millilitresPerUnit(*chosen->unit) * chosen->gramsPerUnit();
    result.grams = withinRule(grams);
    result.reason = result.grams ? QStringLiteral("by volume through its measure \"%1\"").arg(chosen->description)
                                 : kAmountRule;
    return result;
}

// A plain count ("2 eggs", "1 onion"): the measure that names the food, else a medium one, else a whole one.
const FoodMeasure* plainCountMeasure(const std::vector<FoodMeasure>& measures, const QStringList& lineWords)
{
    const auto firstWord = [](const FoodMeasure& m) { return foldedWords(m.description).value(0); };
    for (const FoodMeasure& measure : measures)
        if (!measure.unit && lineWords.contains(firstWord(measure)))
            return &measure;
    for (const Unit size : {Unit::Medium, Unit::Large, Unit::Small})
        for (const FoodMeasure& measure : measures)
            if (measure.unit == size)
                return &measure;
    for (const FoodMeasure& measure : measures) {
        const QString word = firstWord(measure);
        if (word == u"whole" || word == u"fruit" || word == u"item" || word == u"each" || word == u"piece")
            return &measure;
    }
    return nullptr;
}

GramResult fromCount(const IngredientLine& line, double count, const std::vector<FoodMeasure>& measures,
                     const QStringList& lineWords)
{
    GramResult result;
    if (line.unit) {
        const Unit unit = *line.unit;
        if (const FoodMeasure* own = bestOf(measuresWith(measures, [&](const FoodMeasure& m) { return m.unit == unit; }),
                                            lineWords))
            return throughMeasure(*own, count, QStringLiteral("by its measure \"%1\""));
        result.reason = QStringLiteral("no \"%1\" measure for this food").arg(unitName(unit));
        return result;
    }
    if (line.size) {
        const Unit size = *line.size;
        if (const FoodMeasure* own = bestOf(measuresWith(measures, [&](const FoodMeasure& m) { return m.unit == size; }),
                                            lineWords))
            return throughMeasure(*own, count, QStringLiteral("by its measure \"%1\""));
        result.reason = QStringLiteral("no \"%1\" measure for this food").arg(unitName(size));
        return result;
    }
    if (const FoodMeasure* plain = plainCountMeasure(measures, lineWords))
        return throughMeasure(*plain, count, QStringLiteral("counted by its measure \"%1\""));
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
    const QStringList lineWords = foldedWords(QString(line.food + u' ' + line.preparation));
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
