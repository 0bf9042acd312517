#include "exchange/JsonLdWriter.h"

#include "exchange/ProcedureSteps.h"
#include "exchange/SaporiaData.h"
#include "exchange/SchemaRecipe.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <system_error>
#include <cmath>

namespace {

namespace sd = saporia_data;

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// The shortest decimal that reads back as the same double, without an exponent
// (readers of "4 servings" or "12 g" look for digits only).
QString number(double value)
{
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return error == std::errc() ? QString::fromLatin1(buffer, end - buffer) : QString::number(value, 'f', 0);
}

QString isoDuration(double minutes)
{
    if (minutes != std::floor(minutes))
        return QStringLiteral("PT") + number(minutes) + u'M'; // exact, where hours would round
    const double hours = std::floor(minutes / 60);
    const double rest = minutes - hours * 60;
    QString duration = QStringLiteral("PT");
    if (hours > 0)
        duration += number(hours) + u'H';
    if (rest > 0 || hours <= 0)
        duration += number(rest) + u'M';
    return duration;
}

QJsonArray instructions(const QString& procedure)
{
    QJsonArray items;
    for (const ProcedureSection& section : procedureSections(procedure)) {
        QJsonArray steps;
        for (const QString& step : section.steps)
            steps.append(QJsonObject{{"@type", "HowToStep"}, {"text", step}});
        if (section.heading.isEmpty()) {
            for (const QJsonValue& step : steps)
                items.append(step);
        } else {
            items.append(QJsonObject{{"@type", "HowToSection"}, {"name", section.heading}, {"itemListElement", steps}});
        }
    }
    return items;
}

QJsonObject nutrition(const NutritionPerServe& perServe)
{
    QJsonObject object{{"@type", "NutritionInformation"}};
    const auto put = [&](const char* key, const std::optional<double>& value, const char* unit) {
        if (value)
            object.insert(QLatin1StringView(key), number(*value) + u' ' + QLatin1StringView(unit));
    };
    put("calories", perServe.calories, "kcal");
    put("fatContent", perServe.fat, "g");
    put("saturatedFatContent", perServe.saturatedFat, "g");
    put("carbohydrateContent", perServe.carbohydrate, "g");
    put("sugarContent", perServe.sugar, "g");
    put("fiberContent", perServe.fibre, "g");
    put("proteinContent", perServe.protein, "g");
    put("sodiumContent", perServe.sodium, "mg");
    put("cholesterolContent", perServe.cholesterol, "mg");
    return object;
}

QJsonValue linkObject(const std::optional<DraftLink>& link)
{
    if (!link)
        return QJsonValue::Null;
    QJsonObject object{{sd::kNdbNo, static_cast<qint64>(link->ndbNo)},
                       {sd::kFood, text(link->food)},
                       {sd::kByGram, link->byGram},
                       {sd::kAmount, link->amount},
                       {sd::kGrams, link->grams}};
    if (!link->byGram)
        object.insert(sd::kMeasure, text(link->measure));
    return object;
}

QJsonObject saporiaData(const RecipeDraft& draft)
{
    QJsonObject data;
    if (!draft.webPageName.empty())
        data.insert(sd::kWebPageName, text(draft.webPageName));
    QJsonArray links;
    for (const DraftIngredient& line : draft.ingredients)
        links.append(linkObject(line.link));
    data.insert(sd::kLinks, links);
    if (std::any_of(draft.ingredients.begin(), draft.ingredients.end(), [](const DraftIngredient& l) { return l.fields; })) {
        QJsonArray fields;
        for (const DraftIngredient& line : draft.ingredients) {
            if (!line.fields) {
                fields.append(QJsonValue::Null);
                continue;
            }
            fields.append(QJsonObject{{sd::kQuantity, line.fields->quantity ? QJsonValue(*line.fields->quantity) : QJsonValue()},
                                      {sd::kUnit, text(line.fields->unit)},
                                      {sd::kName, text(line.fields->name)}});
        }
        data.insert(sd::kFields, fields);
    }
    QJsonArray totals;
    for (const NutrientTotal& total : draft.handTotals)
        totals.append(QJsonObject{{sd::kNutrient, static_cast<qint64>(total.nutrientNumber)}, {sd::kValue, total.value}});
    if (!totals.isEmpty())
        data.insert(sd::kTotals, totals);
    return data;
}

QJsonObject recipeObject(const RecipeDraft& draft)
{
    QJsonObject recipe{{"@type", "Recipe"}, {"name", text(draft.name)}};
    if (draft.serves)
        recipe.insert(QStringLiteral("recipeYield"), number(*draft.serves));
    if (draft.prepMinutes)
        recipe.insert(QStringLiteral("prepTime"), isoDuration(*draft.prepMinutes));
    if (draft.cookMinutes)
        recipe.insert(QStringLiteral("cookTime"), isoDuration(*draft.cookMinutes));
    if (draft.prepMinutes && draft.cookMinutes)
        recipe.insert(QStringLiteral("totalTime"), isoDuration(*draft.prepMinutes + *draft.cookMinutes));
    if (!draft.author.empty())
        recipe.insert(QStringLiteral("author"), QJsonObject{{"@type", "Person"}, {"name", text(draft.author)}});
    if (!draft.source.empty())
        recipe.insert(QStringLiteral("publisher"), QJsonObject{{"@type", "Organization"}, {"name", text(draft.source)}});
    if (!draft.webPageLink.empty())
        recipe.insert(QStringLiteral("url"), text(draft.webPageLink));
    if (!draft.cuisine.empty())
        recipe.insert(QStringLiteral("recipeCuisine"), text(draft.cuisine));
    if (!draft.types.empty()) {
        QJsonArray types;
        for (const std::string& type : draft.types)
            types.append(text(type));
        recipe.insert(QStringLiteral("recipeCategory"), types);
    }
    QJsonArray lines;
    for (const DraftIngredient& line : draft.ingredients)
        lines.append(text(line.text));
    recipe.insert(QStringLiteral("recipeIngredient"), lines);
    recipe.insert(QStringLiteral("recipeInstructions"), instructions(text(draft.procedure)));
    const QJsonObject perServe = nutrition(draft.nutrition);
    if (perServe.size() > 1)
        recipe.insert(QStringLiteral("nutrition"), perServe);

    QJsonObject data = saporiaData(draft);
    recipe.insert(sd::kProperty, data);
    // A procedure typed freely (no numbered steps) does not survive the steps: it travels whole.
    if (SchemaRecipeReader().draft(recipe, {}).procedure != draft.procedure) {
        data.insert(sd::kProcedure, text(draft.procedure));
        recipe.insert(sd::kProperty, data);
    }
    return recipe;
}

} // namespace

std::string writeRecipesJsonLd(const std::vector<RecipeDraft>& drafts)
{
    QJsonArray graph;
    for (const RecipeDraft& draft : drafts)
        graph.append(recipeObject(draft));
    const QJsonObject context{{"@vocab", "https://schema.org/"}, {sd::kPrefix, sd::kNamespace}};
    const QJsonObject document{{"@context", context}, {"@graph", graph}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented).toStdString();
}
