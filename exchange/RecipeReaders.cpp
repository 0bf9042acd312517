#include "exchange/RecipeReaders.h"

#include "exchange/HtmlPage.h"
#include "exchange/InputChecks.h"
#include "exchange/JsonBlock.h"
#include "exchange/SchemaRecipe.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

bool hasContent(const RecipeDraft& draft)
{
    return !draft.name.empty() || !draft.ingredients.empty() || !draft.procedure.empty();
}

QJsonValue rootOf(const QJsonDocument& document)
{
    return document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
}

RecipeReading draftsOf(const SchemaRecipeReader& reader, const PageContext& context, std::vector<std::string> skipped,
                       std::string_view origin)
{
    RecipeReading reading;
    reading.skipped = std::move(skipped);
    for (const QJsonObject& recipe : reader.recipes())
        if (RecipeDraft draft = reader.draft(recipe, context); hasContent(draft))
            reading.recipes.push_back(std::move(draft));
    if (reading.recipes.empty()) {
        reading.problem = "No recipe found in " + std::string(origin);
        if (!reading.skipped.empty())
            reading.problem += " (" + reading.skipped.front()
                             + (reading.skipped.size() > 1 ? " and " + std::to_string(reading.skipped.size() - 1) + " more" : "")
                             + ")";
    }
    return reading;
}

} // namespace

RecipeReading readRecipePage(std::string_view bytes, std::string_view origin)
{
    if (auto problem = inputProblem(bytes, origin))
        return {{}, *problem, {}};
    const HtmlPage page = readHtmlPage(bytes);
    SchemaRecipeReader reader;
    std::vector<std::string> skipped;
    for (std::size_t i = 0; i < page.jsonLdBlocks.size(); ++i) {
        JsonBlock block = parseJsonBlock(page.jsonLdBlocks[i]);
        if (block.problem.empty())
            reader.collect(rootOf(block.document));
        else
            skipped.push_back("JSON-LD block " + std::to_string(i + 1) + ": " + block.problem);
    }
    if (reader.recipes().empty())
        for (const QJsonObject& item : page.microdataRecipes)
            reader.collect(item);
    return draftsOf(reader, page.context, std::move(skipped), origin);
}

RecipeReading readRecipeJson(std::string_view bytes, std::string_view origin)
{
    if (auto problem = inputProblem(bytes, origin))
        return {{}, *problem, {}};
    JsonBlock block = parseJsonBlock(bytes);
    if (!block.problem.empty())
        return {{}, "Cannot read " + std::string(origin) + ": " + block.problem, {}};
    SchemaRecipeReader reader;
    reader.collect(rootOf(block.document));
    return draftsOf(reader, {}, {}, origin);
}
