// The recipe figures: calculating a recipe's nutrients, applying a recipe, and
// switching the recipe display to a type.

#include "bench/BenchSupport.h"

#include "recipes/DatabaseRecipes.h"
#include "store/NutrientMath.h"
#include "store/Sqlite.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kIngredients = 20;
constexpr std::int64_t kByTypeFirstId = 100000; // the by-type recipes live above every real id
constexpr int kRecipesPerType = 200;
const std::int64_t kTypeLinks[] = {1, 7, 9};

// The foods with the most nutrient rows, so every ingredient carries a full set.
std::vector<std::int64_t> richestFoods(SqliteDatabase& db)
{
    std::vector<std::int64_t> foods;
    auto rows = db.prepare(R"(SELECT NDB_No FROM "NUT_DATA.db" GROUP BY NDB_No ORDER BY COUNT(*) DESC, NDB_No LIMIT 20)");
    while (rows.step())
        foods.push_back(rows.columnInt(0));
    return foods;
}

double gramsOf(int ingredient)
{
    return 35.0 + 12.5 * ingredient;
}

// The recipe module as start-up creates it, over the food side's preference set.
struct RecipeModule {
    Database foodDatabase{"sv FoodDatabase", "data"};
    Table preference{foodDatabase, "tblNutrientPreference", "Nutr_Preference.db"};
    std::unique_ptr<TDataModuleRecipes> module;

    RecipeModule()
    {
        preference.setCachedUpdates(true);
        preference.open();
        module = std::make_unique<TDataModuleRecipes>(preference);
    }

    // A new recipe under edit with 20 linked ingredients and 3 type links.
    void beginRecipe(const std::vector<std::int64_t>& foods)
    {
        module->BeginNewRecipe();
        module->tblRecipeDescEdit.fieldByName("Recipe Name").setAsString("Benchmark stew");
        module->tblRecipeDescEdit.fieldByName("Number of Serves").setAsFloat(8);
        Table& ingredients = module->tblRecipeIngredientEdit;
        for (int i = 0; i < kIngredients; ++i) {
            ingredients.append();
            ingredients.fieldByName("Ingredient Name").setAsString("ingredient " + std::to_string(i));
            ingredients.fieldByName("NDB_No").setAsInteger(foods[static_cast<std::size_t>(i)]);
            ingredients.fieldByName("NDB_ByGram").setAsBoolean(true);
            ingredients.fieldByName("NDB_Quantity").setAsFloat(gramsOf(i));
            ingredients.fieldByName("WeightInGram").setAsFloat(gramsOf(i));
            ingredients.post();
        }
        Table& links = module->tblRecipeDescAndTypesEdit;
        for (std::int64_t type : kTypeLinks) {
            links.append();
            links.fieldByName("RTYPE_ID").setAsInteger(type);
            links.post();
        }
    }

    // Removes a stored recipe behind the module's back and tells its sets.
    void removeRecipe(std::int64_t id)
    {
        SqliteDatabase& db = module->DatabaseRecipe.sqlite();
        for (const char* table : {"Recipe_Des.DB", "Rescipe_ingredients.DB", "Recipe_DesAndTypes.DB", "Recipe_NUT_DATA.db"}) {
            auto remove = db.prepare(std::string("DELETE FROM \"") + table + "\" WHERE R_ID = ?");
            remove.bindInt(1, id);
            remove.step();
            module->DatabaseRecipe.tableChanged(table);
        }
    }
};

void recipeCalculate(benchmark::State& state)
{
    RecipeModule recipes;
    recipes.beginRecipe(richestFoods(recipes.module->DatabaseRecipe.sqlite()));
    for (auto _ : state) {
        recipes.module->CalculateRecipeNutrients();
        benchmark::DoNotOptimize(recipes.module->tblRecipeNutrientDataEdit.recordCount());
    }
    state.counters["nutrient_rows"] = recipes.module->tblRecipeNutrientDataEdit.recordCount();
    recipes.module->CancelNewRecipe();
}
SAPORIA_SCALE_FIGURE("recipe_calculate", recipeCalculate);

void recipeCalculateBaseline(benchmark::State& state)
{
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
    const auto foods = richestFoods(db);
    auto values = db.prepare(R"(SELECT Nutr_No, Nutr_Val FROM "NUT_DATA.db" WHERE NDB_No = ? ORDER BY NDB_No, rowid)");
    for (auto _ : state) {
        std::vector<std::pair<std::int64_t, double>> totals;
        std::unordered_map<std::int64_t, std::size_t> row;
        for (int i = 0; i < kIngredients; ++i) {
            values.bindInt(1, foods[static_cast<std::size_t>(i)]);
            while (values.step()) {
                const std::int64_t nutrient = values.columnInt(0);
                const double value = values.columnDouble(1);
                if (const auto found = row.find(nutrient); found != row.end()) {
                    auto& total = totals[found->second].second;
                    total = addAmountForWeight(total, value, gramsOf(i));
                } else {
                    row.emplace(nutrient, totals.size());
                    totals.emplace_back(nutrient, static_cast<double>(amountForWeight(value, gramsOf(i))));
                }
            }
            values.reset();
        }
        benchmark::DoNotOptimize(totals.data());
    }
}
SAPORIA_SCALE_BASELINE("recipe_calculate", recipeCalculateBaseline);

void recipeApply(benchmark::State& state)
{
    RecipeModule recipes;
    const auto foods = richestFoods(recipes.module->DatabaseRecipe.sqlite());
    for (auto _ : state) {
        state.PauseTiming();
        recipes.beginRecipe(foods);
        recipes.module->CalculateRecipeNutrients();
        const std::int64_t id = recipes.module->tblRecipeDescEdit.fieldByName("R_ID").asInteger();
        state.ResumeTiming();
        recipes.module->PostNewRecipe();
        state.PauseTiming();
        recipes.removeRecipe(id);
        state.ResumeTiming();
    }
}
SAPORIA_FIGURE("recipe_apply", recipeApply);

void recipeApplyBaseline(benchmark::State& state)
{
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
    const auto foods = richestFoods(db);
    // The same rows the module stores: totals computed once, outside the timing.
    std::vector<std::pair<std::int64_t, double>> totals;
    {
        auto values = db.prepare(R"(SELECT Nutr_No, Nutr_Val FROM "NUT_DATA.db" WHERE NDB_No = ? ORDER BY rowid)");
        for (int i = 0; i < kIngredients; ++i) {
            values.bindInt(1, foods[static_cast<std::size_t>(i)]);
            while (values.step()) {
                const auto nutrient = values.columnInt(0);
                auto found = std::find_if(totals.begin(), totals.end(), [&](const auto& t) { return t.first == nutrient; });
                if (found == totals.end())
                    totals.emplace_back(nutrient, static_cast<double>(amountForWeight(values.columnDouble(1), gramsOf(i))));
                else
                    found->second = addAmountForWeight(found->second, values.columnDouble(1), gramsOf(i));
            }
            values.reset();
        }
    }
    for (auto _ : state) {
        auto highest = db.prepare(R"(SELECT MAX(R_ID) FROM "Recipe_Des.DB")");
        highest.step();
        const std::int64_t id = highest.columnInt(0) + 1;
        db.execute("BEGIN IMMEDIATE");
        auto recipe = db.prepare(R"(INSERT INTO "Recipe_Des.DB" (R_ID, "Recipe Name", "Number of Serves") VALUES (?, ?, 8))");
        recipe.bindInt(1, id);
        recipe.bindText(2, "Benchmark stew");
        recipe.step();
        auto ingredient = db.prepare(R"(INSERT INTO "Rescipe_ingredients.DB" ("Ingredient Name", R_ID, NDB_No, NDB_ByGram,
                                        NDB_Quantity, WeightInGram) VALUES (?, ?, ?, 1, ?, ?))");
        for (int i = 0; i < kIngredients; ++i) {
            ingredient.bindText(1, "ingredient " + std::to_string(i));
            ingredient.bindInt(2, id);
            ingredient.bindInt(3, foods[static_cast<std::size_t>(i)]);
            ingredient.bindDouble(4, gramsOf(i));
            ingredient.bindDouble(5, gramsOf(i));
            ingredient.step();
            ingredient.reset();
        }
        auto link = db.prepare(R"(INSERT INTO "Recipe_DesAndTypes.DB" (RTYPE_ID, R_ID) VALUES (?, ?))");
        for (std::int64_t type : kTypeLinks) {
            link.bindInt(1, type);
            link.bindInt(2, id);
            link.step();
            link.reset();
        }
        auto nutrient = db.prepare(R"(INSERT INTO "Recipe_NUT_DATA.db" (R_ID, Nutr_No, Nutr_Val) VALUES (?, ?, ?))");
        for (const auto& [number, total] : totals) {
            nutrient.bindInt(1, id);
            nutrient.bindInt(2, number);
            nutrient.bindDouble(3, total);
            nutrient.step();
            nutrient.reset();
        }
        db.execute("COMMIT");
        state.PauseTiming();
        for (const char* table : {"Recipe_Des.DB", "Rescipe_ingredients.DB", "Recipe_DesAndTypes.DB", "Recipe_NUT_DATA.db"})
            db.execute(std::string("DELETE FROM \"") + table + "\" WHERE R_ID = " + std::to_string(id));
        state.ResumeTiming();
    }
}
SAPORIA_BASELINE("recipe_apply", recipeApplyBaseline);

// 200 recipes for each of two types (Appetizer and Soup), each with a few ingredients
// and preferred nutrient totals; removed again when the figure is done.
class ByTypeRecipes {
public:
    ByTypeRecipes()
    {
        SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
        remove(db);
        db.execute("BEGIN IMMEDIATE");
        auto recipe = db.prepare(R"(INSERT INTO "Recipe_Des.DB" (R_ID, "Recipe Name", Cuisine_ID, "Number of Serves")
                                    VALUES (?, ?, ?, 4))");
        auto link = db.prepare(R"(INSERT INTO "Recipe_DesAndTypes.DB" (RTYPE_ID, R_ID) VALUES (?, ?))");
        auto ingredient = db.prepare(R"(INSERT INTO "Rescipe_ingredients.DB" ("Ingredient Name", R_ID, NDB_No, WeightInGram)
                                        VALUES ('Butter', ?, 1001, 10))");
        auto nutrient = db.prepare(R"(INSERT INTO "Recipe_NUT_DATA.db" (R_ID, Nutr_No, Nutr_Val) VALUES (?, ?, 1.5))");
        for (int i = 0; i < 2 * kRecipesPerType; ++i) {
            const std::int64_t id = kByTypeFirstId + i;
            recipe.bindInt(1, id);
            recipe.bindText(2, "Recipe " + std::to_string(i));
            recipe.bindDouble(3, 1 + i % 12);
            recipe.step();
            recipe.reset();
            link.bindInt(1, i % 2 == 0 ? 4 : 5);
            link.bindInt(2, id);
            link.step();
            link.reset();
            for (int n = 0; n < 3; ++n) {
                ingredient.bindInt(1, id);
                ingredient.step();
                ingredient.reset();
            }
            for (std::int64_t number : {203, 204, 205, 208, 269, 291, 301, 303}) {
                nutrient.bindInt(1, id);
                nutrient.bindInt(2, number);
                nutrient.step();
                nutrient.reset();
            }
        }
        db.execute("COMMIT");
    }

    ~ByTypeRecipes()
    {
        SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
        remove(db);
    }

private:
    static void remove(SqliteDatabase& db)
    {
        for (const char* table : {"Recipe_Des.DB", "Rescipe_ingredients.DB", "Recipe_DesAndTypes.DB", "Recipe_NUT_DATA.db"})
            db.execute(std::string("DELETE FROM \"") + table + "\" WHERE R_ID >= " + std::to_string(kByTypeFirstId));
    }
};

void recipesByType(benchmark::State& state)
{
    ByTypeRecipes data;
    RecipeModule recipes;
    const char* const types[] = {"Appetizer", "Soup"};
    std::size_t next = 0;
    for (auto _ : state) {
        recipes.module->ShowRecipesByType(types[next++ % 2]);
        benchmark::DoNotOptimize(recipes.module->tblDisplayRecipesByTypes.recordCount()
                                 + recipes.module->tblRecipeNutrientData.recordCount());
    }
    state.counters["recipes"] = recipes.module->tblDisplayRecipesByTypes.recordCount();
}
SAPORIA_FIGURE("recipes_by_type", recipesByType);

void recipesByTypeBaseline(benchmark::State& state)
{
    ByTypeRecipes data;
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
    std::unordered_map<std::int64_t, std::string> cuisines;
    auto cuisineRows = db.prepare(R"(SELECT Cuisine_ID, Cuisine FROM "Recipe_Cuisine.DB")");
    while (cuisineRows.step())
        cuisines.emplace(cuisineRows.columnInt(0), cuisineRows.columnText(1));
    auto shown = db.prepare(R"(SELECT d.R_ID, d."Recipe Name", d.Cuisine_ID, d."Number of Serves" FROM "Recipe_Des.DB" d
                               WHERE d.R_ID IN (SELECT R_ID FROM "Recipe_DesAndTypes.DB" WHERE RTYPE_ID = ?) ORDER BY d.R_ID)");
    auto ingredients = db.prepare(R"(SELECT "Ingredient Name", NDB_No FROM "Rescipe_ingredients.DB" WHERE R_ID = ?)");
    auto nutrients = db.prepare(R"(SELECT Nutr_No, Nutr_Val FROM "Recipe_NUT_DATA.db" WHERE R_ID = ? AND Nutr_No IN
                                   (SELECT Nutr_No FROM "Nutr_Preference.db"))");
    std::size_t next = 0;
    for (auto _ : state) {
        struct Recipe { std::int64_t id; std::string name; std::string cuisine; double serves; };
        std::vector<Recipe> recipes;
        shown.bindInt(1, next++ % 2 == 0 ? 4 : 5);
        while (shown.step())
            recipes.push_back({shown.columnInt(0), shown.columnText(1), cuisines[shown.columnInt(2)], shown.columnDouble(3)});
        shown.reset();
        std::size_t details = 0;
        ingredients.bindInt(1, recipes.front().id);
        while (ingredients.step())
            ++details;
        ingredients.reset();
        nutrients.bindInt(1, recipes.front().id);
        while (nutrients.step())
            details += static_cast<std::size_t>(nutrients.columnDouble(1) / recipes.front().serves > 0);
        nutrients.reset();
        benchmark::DoNotOptimize(recipes.size() + details);
    }
}
SAPORIA_BASELINE("recipes_by_type", recipesByTypeBaseline);

} // namespace
