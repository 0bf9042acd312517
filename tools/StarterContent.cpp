#include "tools/StarterContent.h"

#include "store/NutrientMath.h"
#include "store/ProgramError.h"
#include "store/Sqlite.h"

#include <algorithm>
#include <map>
#include <string>

namespace {

const std::int32_t kMyNutrients[] = {208, 203, 204, 205, 291, 269, 301, 303, 307, 401, 601, 606};

const char* const kRecipeTypes[] = {"Breakfast", "Lunch", "Dinner",    "Appetizer", "Soup",  "Salad",
                                    "Main Dish", "Side Dish", "Dessert", "Snack",   "Beverage", "Bread"};

const char* const kCuisines[] = {"American", "Chinese", "French",  "Greek",         "Indian",  "Italian",
                                 "Japanese", "Mexican", "Spanish", "Mediterranean", "Thai",    "Middle Eastern"};

struct StarterIngredient {
    const char* name;
    double quantity;
    const char* unit;
    std::int32_t food;
    int measureSeq; // 0: the amount is in grams
    double linkedQuantity;
};

struct StarterRecipe {
    const char* name;
    const char* cuisine;
    double preparationMinutes;
    double cookingMinutes;
    double serves;
    const char* procedures;
    std::vector<const char*> types;
    std::vector<StarterIngredient> ingredients;
};

const std::vector<StarterRecipe>& starterRecipes()
{
    static const std::vector<StarterRecipe> recipes = {
        {"Classic Pancakes",
         "American",
         10,
         15,
         4,
         "Whisk the flour and sugar in a bowl. Beat the egg with the milk and the melted butter, "
         "pour it onto the flour and stir until just combined; a few lumps are fine.\r\n"
         "Heat a lightly greased pan over medium heat, pour in a quarter cup of batter per pancake "
         "and cook until bubbles form, then turn and cook until golden.",
         {"Breakfast", "Dessert"},
         {{"Plain flour", 1.5, "cup", 20081, 1, 1.5},
          {"Whole milk", 1.25, "cup", 1077, 1, 1.25},
          {"Egg", 1, "large", 1123, 1, 1},
          {"Butter, melted", 2, "tbsp", 1001, 2, 2},
          {"Sugar", 25, "g", 19335, 0, 25}}},
        {"Garden Salad",
         "Mediterranean",
         15,
         0,
         2,
         "Tear the lettuce into a large bowl. Cut the tomato into wedges and slice the cucumber. "
         "Toss everything with the olive oil and a pinch of salt just before serving.",
         {"Salad", "Side Dish"},
         {{"Iceberg lettuce", 150, "g", 11252, 0, 150},
          {"Tomato", 1, "medium", 11529, 6, 1},
          {"Cucumber", 100, "g", 11205, 0, 100},
          {"Olive oil", 1, "tablespoon", 4053, 1, 1},
          {"Salt", 1, "g", 2047, 0, 1}}},
        {"Chicken and Rice",
         "Spanish",
         20,
         35,
         4,
         "Cut the chicken into pieces and brown it in the olive oil. Add the chopped onion, the "
         "carrots and the garlic and cook for five minutes.\r\n"
         "Stir in the rice, pour in three cups of water, cover and simmer for twenty minutes "
         "until the rice is tender.",
         {"Dinner", "Main Dish"},
         {{"Chicken breast", 500, "g", 5062, 0, 500},
          {"Long-grain rice", 1.5, "cup", 20044, 1, 1.5},
          {"Onion, chopped", 1, "cup", 11282, 1, 1},
          {"Carrots", 2, "medium", 11124, 5, 2},
          {"Garlic", 3, "clove", 11215, 3, 3},
          {"Olive oil", 2, "tablespoon", 4053, 1, 2}}},
    };
    return recipes;
}

template <typename Range>
std::map<std::string, std::int64_t> insertNames(SqliteDatabase& db, const std::string& sql, const Range& names, bool numbered)
{
    std::map<std::string, std::int64_t> ids;
    auto insert = db.prepare(sql);
    std::int64_t id = 0;
    for (const char* name : names) {
        ++id;
        int position = 1;
        if (numbered)
            insert.bindInt(position++, id);
        insert.bindText(position, name);
        insert.step();
        insert.reset();
        ids[name] = numbered ? id : db.lastInsertRowId();
    }
    return ids;
}

struct Measure {
    std::int64_t weightId;
    double gramsPerUnit;
};

Measure findMeasure(SqliteDatabase& db, std::int32_t food, int seq)
{
    auto query = db.prepare(R"(SELECT Weight_ID, Gm_Wgt / Amount FROM "WEIGHT.db" WHERE NDB_No = ? AND Seq = ?)");
    query.bindInt(1, food);
    query.bindInt(2, seq);
    if (!query.step())
        throw ProgramError("Starter recipes: food " + std::to_string(food) + " has no measure " + std::to_string(seq));
    return {query.columnInt(0), query.columnDouble(1)};
}

void addRecipe(SqliteDatabase& db, std::int64_t recipeId, const StarterRecipe& recipe,
               const std::map<std::string, std::int64_t>& typeIds, const std::map<std::string, std::int64_t>& cuisineIds)
{
    auto insertRecipe = db.prepare(
        R"(INSERT INTO "Recipe_Des.DB" (R_ID, "Recipe Name", Cuisine_ID, "Preperation Time", "Cooking Time",
           "Number of Serves", Procedures, Author, Source) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?))");
    insertRecipe.bindInt(1, recipeId);
    insertRecipe.bindText(2, recipe.name);
    insertRecipe.bindDouble(3, static_cast<double>(cuisineIds.at(recipe.cuisine)));
    insertRecipe.bindDouble(4, recipe.preparationMinutes);
    insertRecipe.bindDouble(5, recipe.cookingMinutes);
    insertRecipe.bindDouble(6, recipe.serves);
    insertRecipe.bindText(7, recipe.procedures);
    insertRecipe.bindText(8, "Saporia Kitchen");
    insertRecipe.bindText(9, "Saporia starter recipes");
    insertRecipe.step();

    auto insertType = db.prepare(R"(INSERT INTO "Recipe_DesAndTypes.DB" (RTYPE_ID, R_ID) VALUES (?, ?))");
    for (const char* type : recipe.types) {
        insertType.bindInt(1, typeIds.at(type));
        insertType.bindInt(2, recipeId);
        insertType.step();
        insertType.reset();
    }

    auto insertIngredient = db.prepare(
        R"(INSERT INTO "Rescipe_ingredients.DB" ("Ingredient Name", R_ID, Quantity, Unit, NDB_No, NDB_ByGram,
           NDB_Quantity, NDB_Weight_ID, WeightInGram) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?))");
    auto foodValues = db.prepare(R"(SELECT Nutr_No, Nutr_Val FROM "NUT_DATA.db" WHERE NDB_No = ? ORDER BY Nutr_ID)");
    // Totals in the order a nutrient is first met, summed exactly as the program sums them.
    std::vector<std::pair<std::int64_t, double>> totals;
    for (const auto& ingredient : recipe.ingredients) {
        double grams = ingredient.linkedQuantity;
        insertIngredient.bindText(1, ingredient.name);
        insertIngredient.bindInt(2, recipeId);
        insertIngredient.bindDouble(3, ingredient.quantity);
        insertIngredient.bindText(4, ingredient.unit);
        insertIngredient.bindInt(5, ingredient.food);
        insertIngredient.bindInt(6, ingredient.measureSeq == 0 ? 1 : 0);
        insertIngredient.bindDouble(7, ingredient.linkedQuantity);
        if (ingredient.measureSeq != 0) {
            const Measure measure = findMeasure(db, ingredient.food, ingredient.measureSeq);
            grams = measure.gramsPerUnit * ingredient.linkedQuantity;
            insertIngredient.bindDouble(8, static_cast<double>(measure.weightId));
        }
        insertIngredient.bindDouble(9, grams);
        insertIngredient.step();
        insertIngredient.reset();

        foodValues.bindInt(1, ingredient.food);
        bool any = false;
        while (foodValues.step()) {
            any = true;
            const std::int64_t nutrient = foodValues.columnInt(0);
            const double value = foodValues.columnIsNull(1) ? 0.0 : foodValues.columnDouble(1);
            auto found = std::find_if(totals.begin(), totals.end(), [&](const auto& t) { return t.first == nutrient; });
            if (found == totals.end())
                totals.emplace_back(nutrient, static_cast<double>(amountForWeight(value, grams)));
            else
                found->second = addAmountForWeight(found->second, value, grams);
        }
        foodValues.reset();
        if (!any)
            throw ProgramError("Starter recipes: food " + std::to_string(ingredient.food) + " is missing");
    }

    auto insertTotal = db.prepare(R"(INSERT INTO "Recipe_NUT_DATA.db" (R_ID, Nutr_No, Nutr_Val) VALUES (?, ?, ?))");
    for (const auto& [nutrient, total] : totals) {
        insertTotal.bindInt(1, recipeId);
        insertTotal.bindInt(2, nutrient);
        insertTotal.bindDouble(3, total);
        insertTotal.step();
        insertTotal.reset();
    }
}

} // namespace

std::vector<std::int32_t> starterFoods()
{
    std::vector<std::int32_t> foods;
    for (const auto& recipe : starterRecipes())
        for (const auto& ingredient : recipe.ingredients)
            foods.push_back(ingredient.food);
    return foods;
}

void addStarterContent(SqliteDatabase& db)
{
    auto insertPreference = db.prepare(R"(INSERT INTO "Nutr_Preference.db" (Nutr_No) VALUES (?))");
    for (std::int32_t nutrient : kMyNutrients) {
        insertPreference.bindInt(1, nutrient);
        insertPreference.step();
        insertPreference.reset();
    }
    const auto typeIds =
        insertNames(db, R"(INSERT INTO "Recipe_Types.DB" (RTYPE_ID, "Recipe Type") VALUES (?, ?))", kRecipeTypes, true);
    const auto cuisineIds =
        insertNames(db, R"(INSERT INTO "Recipe_Cuisine.DB" (Cuisine) VALUES (?))", kCuisines, false);
    std::int64_t recipeId = 0;
    for (const auto& recipe : starterRecipes())
        addRecipe(db, ++recipeId, recipe, typeIds, cuisineIds);
}
