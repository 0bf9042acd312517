#include "cookbook/RecipeScaling.h"

#include "exchange/RecipeStore.h"
#include "kitchen/CookWriting.h"
#include "kitchen/IngredientLine.h"
#include "store/Amount.h"
#include "store/Sqlite.h"

#include <QString>

#include <cmath>

namespace {

constexpr qsizetype kNameSize = 179; // "Recipe Name"

QString numberText(double value)
{
    return QString::number(value, 'g', 12);
}

std::optional<double> optionalNumber(const SqliteStatement& statement, int column)
{
    if (statement.columnIsNull(column))
        return std::nullopt;
    return statement.columnDouble(column);
}

QString kilograms(double grams)
{
    return QString::number(grams / 1000, 'f', 1);
}

// The stored rows in order, each scaled; a refusal names the first line too heavy.
std::vector<ScaledLine> scaledLines(const SqliteDatabase& db, std::int64_t recipeId, double factor, std::string& refusal)
{
    auto rows = db.prepare(
        R"(SELECT i."R_ING_ID", i."Quantity", i."Unit", i."Ingredient Name", i."NDB_No", i."NDB_ByGram",)"
        R"( i."NDB_Quantity", i."NDB_Weight_ID", i."WeightInGram", l."Line", f."Desc", w."Msre_Desc")"
        R"( FROM "Rescipe_ingredients.DB" i LEFT JOIN "Ingredient_Line.db" l ON l."R_ING_ID" = i."R_ING_ID")"
        R"( LEFT JOIN "FOOD_DES.db" f ON f."NDB_No" = i."NDB_No")"
        R"( LEFT JOIN "WEIGHT.db" w ON w."Weight_ID" = i."NDB_Weight_ID")"
        R"( WHERE i."R_ID" = ?1 ORDER BY i."R_ING_ID")");
    rows.bindInt(1, recipeId);
    std::vector<ScaledLine> lines;
    while (rows.step()) {
        ScaledLine scaled;
        scaled.rowId = rows.columnInt(0);
        LinkedLine& line = scaled.line;
        if (const auto quantity = optionalNumber(rows, 1))
            line.quantity = *quantity * factor;
        line.unit = rows.columnText(2);
        line.name = rows.columnText(3);
        line.keepText = !rows.columnIsNull(9);
        std::optional<double> grams;
        if (line.keepText) {
            const QString kept = QString::fromStdString(rows.columnText(9));
            line.text = scaleIngredientLine(kept, factor).toStdString();
            if (const auto stated = readIngredientLine(kept).statedGrams())
                grams = *stated * factor;
        } else {
            line.text = lineFromFields(line.quantity, line.unit, line.name);
        }
        if (!rows.columnIsNull(4) && rows.columnInt(4) != 0) {
            StoredLink link;
            link.ndbNo = static_cast<std::int32_t>(rows.columnInt(4));
            link.food = rows.columnText(10);
            link.byGram = rows.columnInt(5) != 0;
            link.quantity = rows.columnDouble(6) * factor;
            if (!rows.columnIsNull(7))
                link.weightId = static_cast<std::int32_t>(rows.columnInt(7));
            link.measure = rows.columnText(11);
            link.grams = rows.columnDouble(8) * factor;
            grams = link.grams;
            line.link = std::move(link);
        }
        if (grams && *grams > kMaxGrams && refusal.empty())
            refusal = "\"" + line.text + "\" would weigh " + kilograms(*grams).toStdString() + " kg. " + kAmountRuleMessage;
        lines.push_back(std::move(scaled));
    }
    return lines;
}

} // namespace

std::string scaledRecipeName(const std::string& name, const std::optional<double>& serves, double factor)
{
    const QString suffix = serves ? QStringLiteral(" (%1 %2)").arg(numberText(*serves), *serves == 1 ? u"serve" : u"serves")
                                  : QStringLiteral(" (x %1)").arg(numberText(factor));
    QString base = QString::fromStdString(name).trimmed();
    const qsizetype room = kNameSize - suffix.size();
    if (base.size() > room) {
        base.truncate(room);
        if (!base.isEmpty() && base.back().isHighSurrogate())
            base.chop(1);
        base = base.trimmed();
    }
    return (base + suffix).toStdString();
}

LinkedRecipe ScaledRecipe::asNewRecipe() const
{
    LinkedRecipe recipe;
    recipe.draft = draft;
    recipe.draft.ingredients.clear(); // the lines below stand for them
    for (const ScaledLine& line : lines)
        recipe.lines.push_back(line.line);
    return recipe;
}

ScaleResult scaleStoredRecipe(const SqliteDatabase& db, std::int64_t recipeId, const ScaleTarget& target)
{
    ScaleResult result;
    RecipeDraft draft = draftOfStoredRecipe(db, recipeId);
    const bool hasServes = draft.serves && *draft.serves > 0;
    double factor = target.value;
    if (target.kind == ScaleTarget::Kind::Serves) {
        if (!std::isfinite(target.value) || target.value <= 0) {
            result.refusal = "The number of serves must be a number above 0.";
            return result;
        }
        if (!hasServes) {
            result.refusal = "\"" + draft.name + "\" has no number of serves to scale from: scale it by a factor.";
            return result;
        }
        factor = target.value / *draft.serves;
    }
    if (!std::isfinite(factor) || factor <= 0 || factor > kMaxScaleFactor) {
        result.refusal = kScaleFactorMessage;
        return result;
    }

    std::vector<ScaledLine> lines = scaledLines(db, recipeId, factor, result.refusal);
    if (!result.refusal.empty())
        return result;

    if (hasServes)
        draft.serves = target.kind == ScaleTarget::Kind::Serves ? target.value : *draft.serves * factor;
    draft.name = scaledRecipeName(draft.name, hasServes ? draft.serves : std::nullopt, factor);
    for (NutrientTotal& total : draft.handTotals)
        total.value *= factor;
    result.recipe = ScaledRecipe{recipeId, factor, std::move(draft), std::move(lines)};
    return result;
}
