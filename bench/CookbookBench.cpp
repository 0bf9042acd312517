// The kitchen tools of a user with 10,000 recipes: a shopping list of every recipe
// of one type, a recipe scaled, and a recipe card laid out on its pages.

#include "bench/BenchSupport.h"

#include "cookbook/RecipeCard.h"
#include "cookbook/RecipeScaling.h"
#include "cookbook/ShoppingList.h"
#include "store/Database.h"
#include "store/Sqlite.h"

namespace {

// The recipes of the type with the most of them, and one recipe in the middle.
struct KitchenData {
    Database db{"sv RecipeDatabase", "data"};
    std::vector<ShoppingChoice> typeRecipes;
    std::int64_t recipe = 0;

    KitchenData()
    {
        auto type = db.sqlite().prepare(R"(SELECT R_ID FROM "Recipe_DesAndTypes.DB" WHERE RTYPE_ID =)"
                                        R"( (SELECT RTYPE_ID FROM "Recipe_DesAndTypes.DB" GROUP BY RTYPE_ID)"
                                        R"( ORDER BY count(*) DESC LIMIT 1))");
        while (type.step())
            typeRecipes.push_back({type.columnInt(0), 2});
        recipe = typeRecipes.at(typeRecipes.size() / 2).recipeId;
    }
};

void shoppingListOfAType(benchmark::State& state)
{
    KitchenData data;
    for (auto _ : state)
        benchmark::DoNotOptimize(buildShoppingList(data.db.sqlite(), data.typeRecipes));
    state.counters["recipes"] = static_cast<double>(data.typeRecipes.size());
}

void scaleRecipe(benchmark::State& state)
{
    KitchenData data;
    for (auto _ : state)
        benchmark::DoNotOptimize(scaleStoredRecipe(data.db.sqlite(), data.recipe, {ScaleTarget::Kind::Factor, 2}));
}

void recipeCardLayout(benchmark::State& state)
{
    ensureApplication(); // fonts
    KitchenData data;
    for (auto _ : state)
        benchmark::DoNotOptimize(recipeCard(cardRecipe(data.db.sqlite(), data.recipe), localPageSetup()));
}

[[maybe_unused]] benchmark::internal::Benchmark* const kitchenFigures[] = {
    registerOnRecipeData("shopping_list_type", Measure::Figure, shoppingListOfAType),
    registerOnRecipeData("scale_recipe", Measure::Figure, scaleRecipe),
    registerOnRecipeData("recipe_card_layout", Measure::Figure, recipeCardLayout),
};

} // namespace
