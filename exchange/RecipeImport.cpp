#include "exchange/RecipeImport.h"

#include "exchange/RecipeReaders.h"
#include "exchange/RecipeStore.h"
#include "kitchen/IngredientLinker.h"
#include "store/Database.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <exception>

namespace {

constexpr std::int64_t kEnergyKcal = 208;

std::optional<double> energyPerServe(const Database& data, const LinkedRecipe& recipe)
{
    const std::optional<double>& serves = recipe.draft.serves;
    if (!serves || !(*serves > 0))
        return std::nullopt;
    double energy = 0;
    for (const NutrientTotal& total : totalsOfLinkedLines(data.sqlite(), recipe.lines))
        if (total.nutrientNumber == kEnergyKcal)
            energy += total.value;
    return energy / *serves;
}

QJsonValue text(const std::string& value)
{
    return value.empty() ? QJsonValue(QJsonValue::Null) : QJsonValue(QString::fromStdString(value));
}

QJsonValue number(const std::optional<double>& value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject lineJson(const LinkedLine& line)
{
    const std::optional<StoredLink>& link = line.link;
    QJsonObject object{{"line", QString::fromStdString(line.text)},
                       {"quantity", number(line.quantity)},
                       {"unit", text(line.unit)},
                       {"name", text(line.name)},
                       {"reason", link ? QJsonValue(QJsonValue::Null) : text(line.reason)}};
    object.insert(QStringLiteral("ndb_no"), link ? QJsonValue(link->ndbNo) : QJsonValue(QJsonValue::Null));
    object.insert(QStringLiteral("food"), link ? text(link->food) : QJsonValue(QJsonValue::Null));
    object.insert(QStringLiteral("by_gram"), link ? QJsonValue(link->byGram) : QJsonValue(QJsonValue::Null));
    object.insert(QStringLiteral("measure"), link && !link->byGram ? text(link->measure) : QJsonValue(QJsonValue::Null));
    object.insert(QStringLiteral("amount"), link ? QJsonValue(link->quantity) : QJsonValue(QJsonValue::Null));
    object.insert(QStringLiteral("grams"), link ? QJsonValue(link->grams) : QJsonValue(QJsonValue::Null));
    return object;
}

QJsonObject recipeJson(const ImportedRecipe& imported)
{
    const RecipeDraft& draft = imported.recipe.draft;
    QJsonArray types;
    for (const std::string& type : draft.types)
        types.append(QString::fromStdString(type));
    QJsonArray ingredients;
    for (const LinkedLine& line : imported.recipe.lines)
        ingredients.append(lineJson(line));
    return {{"name", text(draft.name)},
            {"serves", number(draft.serves)},
            {"prep_minutes", number(draft.prepMinutes)},
            {"cook_minutes", number(draft.cookMinutes)},
            {"author", text(draft.author)},
            {"source", text(draft.source)},
            {"web_page_name", text(draft.webPageName)},
            {"web_page_link", text(draft.webPageLink)},
            {"cuisine", text(draft.cuisine)},
            {"types", types},
            {"procedure", text(draft.procedure)},
            {"ingredients", ingredients},
            {"energy_kcal_per_serve", number(imported.energyKcalPerServe)},
            {"lines", static_cast<qint64>(imported.recipe.lines.size())},
            {"linked", static_cast<qint64>(imported.recipe.linkedCount())}};
}

std::string firstError(const FileImport& result)
{
    if (!result.error.empty())
        return result.error;
    for (const ImportedRecipe& recipe : result.recipes)
        if (!recipe.error.empty())
            return recipe.error;
    return {};
}

} // namespace

bool FileImport::ok() const
{
    for (const ImportedRecipe& recipe : recipes)
        if (recipe.error.empty())
            return true;
    return false;
}

RecipeImporter::RecipeImporter(Database& data, Mode mode)
    : data_(data), mode_(mode), linker_(std::make_unique<IngredientLinker>(data))
{
}

RecipeImporter::~RecipeImporter() = default;

FileImport RecipeImporter::importFile(const std::filesystem::path& file)
{
    RecipeReading reading = readRecipeFile(file);
    FileImport result = importDrafts(file, reading.recipes);
    result.skipped = std::move(reading.skipped);
    if (!reading.ok())
        result.error = reading.problem;
    return result;
}

FileImport RecipeImporter::importDrafts(const std::filesystem::path& origin, const std::vector<RecipeDraft>& drafts)
{
    FileImport result;
    result.file = origin;
    for (const RecipeDraft& draft : drafts) {
        ImportedRecipe imported;
        try {
            imported.recipe = linkRecipe(draft, data_, *linker_);
            imported.energyKcalPerServe = energyPerServe(data_, imported.recipe);
            if (mode_ == Mode::Store)
                imported.storedAs = storeRecipe(data_, imported.recipe);
        } catch (const std::exception& error) {
            imported.error = error.what();
        }
        result.recipes.push_back(std::move(imported));
    }
    return result;
}

std::string importJson(const FileImport& result)
{
    QJsonArray recipes;
    for (const ImportedRecipe& recipe : result.recipes)
        recipes.append(recipeJson(recipe));
    const QJsonObject object{{"file", QString::fromStdString(result.file.string())},
                             {"ok", result.ok()},
                             {"error", text(firstError(result))},
                             {"recipes", recipes}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::string importSummary(const FileImport& result, RecipeImporter::Mode mode)
{
    const std::string file = result.file.string();
    if (!result.ok())
        return file + ": " + firstError(result);
    std::size_t recipes = 0;
    std::size_t lines = 0;
    std::size_t linked = 0;
    for (const ImportedRecipe& recipe : result.recipes) {
        if (!recipe.error.empty())
            continue;
        ++recipes;
        lines += recipe.recipe.lines.size();
        linked += recipe.recipe.linkedCount();
    }
    std::string summary = file + ": " + (mode == RecipeImporter::Mode::DryRun ? "would import " : "imported ")
                        + std::to_string(recipes) + (recipes == 1 ? " recipe" : " recipes") + ", "
                        + std::to_string(linked) + " of " + std::to_string(lines) + " ingredient lines linked";
    if (recipes < result.recipes.size())
        summary += "; not stored: " + firstError(result);
    return summary;
}
