#pragma once

#include "recipes/DatabaseRecipes.h"
#include "seams/Messages.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The recipe module over a fresh copy of the fixture data, with the food side's
// preference set opened the way the food module opens it, and every message box
// recorded. Tests that need other stored data call restartWith() first.
class RecipeModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        preference.setCachedUpdates(true);
        preference.open();
        module = std::make_unique<TDataModuleRecipes>(preference);
    }

    void TearDown() override { module.reset(); }

    // Changes the stored data through a connection of its own, then creates the module anew.
    void restartWith(const std::string& sql)
    {
        module.reset();
        dir.stored().execute(sql);
        module = std::make_unique<TDataModuleRecipes>(preference);
    }

    // Stored data read through a connection of its own, as another program would.
    std::int64_t count(const std::string& sql) const { return dir.stored().count(sql); }
    std::vector<std::string> rows(const std::string& sql) const { return dir.stored().rows(sql); }

    // All four recipe tables, in full.
    std::vector<std::string> recipeTables() const
    {
        std::vector<std::string> all;
        for (const char* table : {"Recipe_Des.DB", "Rescipe_ingredients.DB", "Recipe_DesAndTypes.DB", "Recipe_NUT_DATA.db"}) {
            all.push_back(table);
            for (auto& row : rows(std::string("SELECT * FROM \"") + table + "\" ORDER BY rowid"))
                all.push_back(row);
        }
        return all;
    }

    void addIngredient(const std::string& name, std::optional<std::int64_t> food, std::optional<double> grams)
    {
        Table& ingredients = module->tblRecipeIngredientEdit;
        ingredients.append();
        ingredients.fieldByName("Ingredient Name").setAsString(name);
        if (food)
            ingredients.fieldByName("NDB_No").setAsInteger(*food);
        if (grams) {
            ingredients.fieldByName("NDB_ByGram").setAsBoolean(true);
            ingredients.fieldByName("NDB_Quantity").setAsFloat(*grams);
            ingredients.fieldByName("WeightInGram").setAsFloat(*grams);
        }
        ingredients.post();
    }

    void addTypeLink(std::int64_t type)
    {
        Table& links = module->tblRecipeDescAndTypesEdit;
        links.append();
        links.fieldByName("RTYPE_ID").setAsInteger(type);
        links.post();
    }

    void addNutrient(std::int64_t nutrient, double total)
    {
        Table& nutrients = module->tblRecipeNutrientDataEdit;
        nutrients.append();
        nutrients.fieldByName("Nutr_No").setAsInteger(nutrient);
        nutrients.fieldByName("Nutr_Val").setAsFloat(total);
        nutrients.post();
    }

    void setServes(std::optional<double> serves)
    {
        Field& field = module->tblRecipeDescEdit.fieldByName("Number of Serves");
        serves ? field.setAsFloat(*serves) : field.clear();
    }

    // The nutrient rows of the recipe under edit as "Nutr_No=Nutr_Val", in the set's order.
    std::vector<std::string> editedTotals()
    {
        Table& nutrients = module->tblRecipeNutrientDataEdit;
        std::vector<std::string> result;
        for (int row = 0; row < nutrients.recordCount(); ++row)
            result.push_back(nutrients.displayTextAt(row, nutrients.fieldByName("Nutr_No")) + "="
                             + nutrients.fieldByName("Nutr_Val").textOf(
                                 nutrients.valueAt(row, nutrients.fieldByName("Nutr_Val"))));
        return result;
    }

    TestWorkingDirectory dir;
    MessageRecorder messages;
    Database foodDatabase{"sv FoodDatabase", "data"};
    Table preference{foodDatabase, "tblNutrientPreference", "Nutr_Preference.db"};
    std::unique_ptr<TDataModuleRecipes> module;
};
