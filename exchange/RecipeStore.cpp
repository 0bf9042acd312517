#include "exchange/RecipeStore.h"

#include "kitchen/CookWriting.h"

#include "store/Database.h"
#include "store/NutrientMath.h"
#include "store/ProgramError.h"
#include "store/Sqlite.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace {

constexpr const char* kRecipes = "Recipe_Des.DB";
constexpr const char* kCuisines = "Recipe_Cuisine.DB";
constexpr const char* kTypes = "Recipe_Types.DB";
constexpr const char* kRecipeTypes = "Recipe_DesAndTypes.DB";
constexpr const char* kIngredients = "Rescipe_ingredients.DB";
constexpr const char* kLines = "Ingredient_Line.db";
constexpr const char* kTotals = "Recipe_NUT_DATA.db";

void bindText(SqliteStatement& statement, int position, const std::string& text)
{
    if (text.empty())
        statement.bindNull(position);
    else
        statement.bindText(position, text);
}

void bindNumber(SqliteStatement& statement, int position, const std::optional<double>& number)
{
    if (number)
        statement.bindDouble(position, *number);
    else
        statement.bindNull(position);
}

std::optional<double> optionalNumber(const SqliteStatement& statement, int column)
{
    if (statement.columnIsNull(column))
        return std::nullopt;
    return statement.columnDouble(column);
}

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

// The id of the row of `table` whose name is `name` ignoring case, if any. Names are
// compared here, not by SQLite, whose case folding knows only ASCII letters.
std::optional<std::int64_t> idByName(const SqliteDatabase& db, const std::string& selectIdAndName, const std::string& name)
{
    auto statement = db.prepare(selectIdAndName);
    while (statement.step())
        if (!statement.columnIsNull(0) && sameIgnoringCase(statement.columnText(1), name))
            return statement.columnInt(0);
    return std::nullopt;
}

std::int64_t nextNumber(const SqliteDatabase& db, const std::string& table, const std::string& key)
{
    auto statement = db.prepare("SELECT COALESCE(MAX(\"" + key + "\"), 0) + 1 FROM \"" + table + "\"");
    statement.step();
    return statement.columnInt(0);
}

std::optional<std::int64_t> cuisineId(Database& database, const std::string& cuisine)
{
    if (cuisine.empty())
        return std::nullopt;
    SqliteDatabase& db = database.sqlite();
    if (const auto found = idByName(db, R"(SELECT "Cuisine_ID", "Cuisine" FROM "Recipe_Cuisine.DB")", cuisine))
        return found;
    database.checkWriteAllowed(kCuisines);
    auto insert = db.prepare(R"(INSERT INTO "Recipe_Cuisine.DB" ("Cuisine") VALUES (?1))");
    insert.bindText(1, cuisine);
    insert.step();
    return db.lastInsertRowId();
}

std::int64_t typeId(Database& database, const std::string& type)
{
    SqliteDatabase& db = database.sqlite();
    if (const auto found = idByName(db, R"(SELECT "RTYPE_ID", "Recipe Type" FROM "Recipe_Types.DB")", type))
        return *found;
    database.checkWriteAllowed(kTypes);
    const std::int64_t id = nextNumber(db, kTypes, "RTYPE_ID");
    auto insert = db.prepare(R"(INSERT INTO "Recipe_Types.DB" ("RTYPE_ID", "Recipe Type") VALUES (?1, ?2))");
    insert.bindInt(1, id);
    insert.bindText(2, type);
    insert.step();
    return id;
}

void storeDescription(Database& database, std::int64_t recipeId, const RecipeDraft& draft)
{
    const std::optional<std::int64_t> cuisine = cuisineId(database, draft.cuisine);
    database.checkWriteAllowed(kRecipes);
    auto insert = database.sqlite().prepare(
        R"(INSERT INTO "Recipe_Des.DB" ("R_ID", "Recipe Name", "Cuisine_ID", "Preperation Time", "Cooking Time",)"
        R"( "Number of Serves", "Procedures", "Author", "Source", "Web Page Name", "Web Page Link"))"
        R"( VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11))");
    insert.bindInt(1, recipeId);
    bindText(insert, 2, draft.name);
    bindNumber(insert, 3, cuisine ? std::optional<double>(static_cast<double>(*cuisine)) : std::nullopt);
    bindNumber(insert, 4, draft.prepMinutes);
    bindNumber(insert, 5, draft.cookMinutes);
    bindNumber(insert, 6, draft.serves);
    bindText(insert, 7, draft.procedure);
    bindText(insert, 8, draft.author);
    bindText(insert, 9, draft.source);
    bindText(insert, 10, draft.webPageName);
    bindText(insert, 11, draft.webPageLink);
    insert.step();
}

void storeTypes(Database& database, std::int64_t recipeId, const std::vector<std::string>& types)
{
    std::vector<std::int64_t> linked;
    for (const std::string& type : types) {
        if (type.empty())
            continue;
        const std::int64_t id = typeId(database, type);
        if (std::find(linked.begin(), linked.end(), id) != linked.end())
            continue; // two names of one type
        linked.push_back(id);
        database.checkWriteAllowed(kRecipeTypes);
        auto insert = database.sqlite().prepare(R"(INSERT INTO "Recipe_DesAndTypes.DB" ("RTYPE_ID", "R_ID") VALUES (?1, ?2))");
        insert.bindInt(1, id);
        insert.bindInt(2, recipeId);
        insert.step();
    }
}

void storeLines(Database& database, std::int64_t recipeId, const std::vector<LinkedLine>& lines)
{
    SqliteDatabase& db = database.sqlite();
    auto ingredient = db.prepare(
        R"(INSERT INTO "Rescipe_ingredients.DB" ("Ingredient Name", "R_ID", "Quantity", "Unit", "NDB_No", "NDB_ByGram",)"
        R"( "NDB_Quantity", "NDB_Weight_ID", "WeightInGram") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9))");
    auto kept = db.prepare(R"(INSERT INTO "Ingredient_Line.db" ("R_ING_ID", "Line") VALUES (?1, ?2))");
    for (const LinkedLine& line : lines) {
        database.checkWriteAllowed(kIngredients);
        ingredient.reset();
        bindText(ingredient, 1, line.name);
        ingredient.bindInt(2, recipeId);
        bindNumber(ingredient, 3, line.quantity);
        bindText(ingredient, 4, line.unit);
        if (const auto& link = line.link) {
            ingredient.bindInt(5, link->ndbNo);
            ingredient.bindInt(6, link->byGram ? 1 : 0);
            ingredient.bindDouble(7, link->quantity);
            bindNumber(ingredient, 8, link->weightId ? std::optional<double>(*link->weightId) : std::nullopt);
            ingredient.bindDouble(9, link->grams);
        } else {
            for (int position = 5; position <= 9; ++position)
                ingredient.bindNull(position);
        }
        ingredient.step();
        if (!line.keepText)
            continue;
        database.checkWriteAllowed(kLines);
        kept.reset();
        kept.bindInt(1, db.lastInsertRowId());
        kept.bindText(2, line.text);
        kept.step();
    }
}

void storeTotals(Database& database, std::int64_t recipeId, const std::vector<NutrientTotal>& totals)
{
    auto insert = database.sqlite().prepare(R"(INSERT INTO "Recipe_NUT_DATA.db" ("R_ID", "Nutr_No", "Nutr_Val") VALUES (?1, ?2, ?3))");
    for (const NutrientTotal& total : totals) {
        database.checkWriteAllowed(kTotals);
        insert.reset();
        insert.bindInt(1, recipeId);
        insert.bindInt(2, total.nutrientNumber);
        insert.bindDouble(3, total.value);
        insert.step();
    }
}

struct StoredLine {
    std::string text;
    std::optional<DraftLink> link;
    std::optional<DraftFields> fields;
};

std::vector<StoredLine> storedLines(const SqliteDatabase& db, std::int64_t recipeId)
{
    auto statement = db.prepare(
        R"(SELECT i."Ingredient Name", i."Quantity", i."Unit", i."NDB_No", i."NDB_ByGram", i."NDB_Quantity",)"
        R"( i."WeightInGram", l."Line", f."Desc", w."Msre_Desc")"
        R"( FROM "Rescipe_ingredients.DB" i LEFT JOIN "Ingredient_Line.db" l ON l."R_ING_ID" = i."R_ING_ID")"
        R"( LEFT JOIN "FOOD_DES.db" f ON f."NDB_No" = i."NDB_No")"
        R"( LEFT JOIN "WEIGHT.db" w ON w."Weight_ID" = i."NDB_Weight_ID")"
        R"( WHERE i."R_ID" = ?1 ORDER BY i."R_ING_ID")");
    statement.bindInt(1, recipeId);
    std::vector<StoredLine> lines;
    while (statement.step()) {
        StoredLine line;
        if (statement.columnIsNull(7)) {
            line.fields = DraftFields{optionalNumber(statement, 1), statement.columnText(2), statement.columnText(0)};
            line.text = lineFromFields(line.fields->quantity, line.fields->unit, line.fields->name);
        } else {
            line.text = statement.columnText(7);
        }
        if (!statement.columnIsNull(3) && statement.columnInt(3) != 0) {
            DraftLink link;
            link.ndbNo = statement.columnInt(3);
            link.food = statement.columnText(8);
            link.byGram = statement.columnInt(4) != 0;
            if (!link.byGram)
                link.measure = statement.columnText(9);
            link.amount = statement.columnDouble(5);
            link.grams = statement.columnDouble(6);
            line.link = std::move(link);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<NutrientTotal> storedTotals(const SqliteDatabase& db, std::int64_t recipeId)
{
    auto statement = db.prepare(R"(SELECT "Nutr_No", "Nutr_Val" FROM "Recipe_NUT_DATA.db" WHERE "R_ID" = ?1 ORDER BY "ID")");
    statement.bindInt(1, recipeId);
    std::vector<NutrientTotal> totals;
    while (statement.step())
        totals.push_back({statement.columnInt(0), statement.columnDouble(1)});
    return totals;
}

bool sameTotals(std::vector<NutrientTotal> a, std::vector<NutrientTotal> b)
{
    if (a.size() != b.size())
        return false;
    const auto byNutrient = [](const NutrientTotal& x, const NutrientTotal& y) { return x.nutrientNumber < y.nutrientNumber; };
    std::sort(a.begin(), a.end(), byNutrient);
    std::sort(b.begin(), b.end(), byNutrient);
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].nutrientNumber != b[i].nutrientNumber
            || std::abs(a[i].value - b[i].value) > 1e-9 * std::max(1.0, std::abs(a[i].value)))
            return false;
    return true;
}

NutritionPerServe perServe(const std::vector<NutrientTotal>& totals, const std::optional<double>& serves)
{
    NutritionPerServe nutrition;
    if (!serves || !(*serves > 0))
        return nutrition;
    const std::pair<std::int64_t, std::optional<double> NutritionPerServe::*> fields[] = {
        {208, &NutritionPerServe::calories},      {204, &NutritionPerServe::fat},
        {606, &NutritionPerServe::saturatedFat},  {205, &NutritionPerServe::carbohydrate},
        {269, &NutritionPerServe::sugar},         {291, &NutritionPerServe::fibre},
        {203, &NutritionPerServe::protein},       {307, &NutritionPerServe::sodium},
        {601, &NutritionPerServe::cholesterol},
    };
    for (const auto& [nutrient, field] : fields)
        for (const NutrientTotal& total : totals)
            if (total.nutrientNumber == nutrient)
                nutrition.*field = total.value / *serves;
    return nutrition;
}

} // namespace

std::vector<NutrientTotal> totalsOfLinkedLines(const SqliteDatabase& db, const std::vector<LinkedLine>& lines)
{
    std::vector<NutrientTotal> totals;
    std::map<std::int64_t, std::size_t> positionOf;
    auto values = db.prepare(R"(SELECT "Nutr_No", "Nutr_Val" FROM "NUT_DATA.db" WHERE "NDB_No" = ?1 ORDER BY "Nutr_ID")");
    for (const LinkedLine& line : lines) {
        if (!line.link)
            continue;
        values.reset();
        values.bindInt(1, line.link->ndbNo);
        while (values.step()) {
            const std::int64_t nutrient = values.columnInt(0);
            const double value = values.columnDouble(1);
            if (const auto found = positionOf.find(nutrient); found != positionOf.end()) {
                double& total = totals[found->second].value;
                total = addAmountForWeight(total, value, line.link->grams);
            } else {
                positionOf.emplace(nutrient, totals.size());
                totals.push_back({nutrient, static_cast<double>(amountForWeight(value, line.link->grams))});
            }
        }
    }
    return totals;
}

std::int64_t storeRecipe(Database& database, const LinkedRecipe& recipe)
{
    SqliteDatabase& db = database.sqlite();
    std::int64_t recipeId = 0;
    {
        SqliteTransaction transaction(db);
        recipeId = nextNumber(db, kRecipes, "R_ID");
        storeDescription(database, recipeId, recipe.draft);
        storeTypes(database, recipeId, recipe.draft.types);
        storeLines(database, recipeId, recipe.lines);
        storeTotals(database, recipeId,
                    recipe.draft.handTotals.empty() ? totalsOfLinkedLines(db, recipe.lines) : recipe.draft.handTotals);
        transaction.commit();
    }
    for (const char* table : {kRecipes, kCuisines, kTypes, kRecipeTypes, kIngredients, kLines, kTotals})
        database.tableChanged(table);
    return recipeId;
}

RecipeDraft draftOfStoredRecipe(const SqliteDatabase& db, std::int64_t recipeId)
{
    auto recipe = db.prepare(
        R"(SELECT r."Recipe Name", r."Number of Serves", r."Preperation Time", r."Cooking Time", r."Procedures",)"
        R"( r."Author", r."Source", r."Web Page Name", r."Web Page Link", c."Cuisine")"
        R"( FROM "Recipe_Des.DB" r LEFT JOIN "Recipe_Cuisine.DB" c ON c."Cuisine_ID" = r."Cuisine_ID" WHERE r."R_ID" = ?1)");
    recipe.bindInt(1, recipeId);
    if (!recipe.step())
        throw ProgramError("There is no recipe " + std::to_string(recipeId) + ".");
    RecipeDraft draft;
    draft.name = recipe.columnText(0);
    draft.serves = optionalNumber(recipe, 1);
    draft.prepMinutes = optionalNumber(recipe, 2);
    draft.cookMinutes = optionalNumber(recipe, 3);
    draft.procedure = recipe.columnText(4);
    draft.author = recipe.columnText(5);
    draft.source = recipe.columnText(6);
    draft.webPageName = recipe.columnText(7);
    draft.webPageLink = recipe.columnText(8);
    draft.cuisine = recipe.columnText(9);

    auto types = db.prepare(R"(SELECT t."Recipe Type" FROM "Recipe_DesAndTypes.DB" d JOIN "Recipe_Types.DB" t)"
                            R"( ON t."RTYPE_ID" = d."RTYPE_ID" WHERE d."R_ID" = ?1 ORDER BY d."ID")");
    types.bindInt(1, recipeId);
    while (types.step())
        draft.types.push_back(types.columnText(0));

    std::vector<LinkedLine> linked;
    for (StoredLine& line : storedLines(db, recipeId)) {
        if (line.link) {
            LinkedLine forTotals;
            forTotals.link = StoredLink{static_cast<std::int32_t>(line.link->ndbNo), {}, true, 0, {}, {}, line.link->grams};
            linked.push_back(std::move(forTotals));
        }
        draft.ingredients.push_back({std::move(line.text), std::move(line.link), std::move(line.fields)});
    }
    const std::vector<NutrientTotal> totals = storedTotals(db, recipeId);
    if (!sameTotals(totals, totalsOfLinkedLines(db, linked)))
        draft.handTotals = totals;
    draft.nutrition = perServe(totals, draft.serves);
    return draft;
}
