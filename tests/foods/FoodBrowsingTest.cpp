#include "tests/foods/FoodsTestSupport.h"

#include <cmath>

// Food 99001: one WEIGHT row of 2 units = 30 g, and 10 g of protein (203) per 100 g.
constexpr const char* kTwoUnitFood =
    "INSERT INTO \"FOOD_DES.db\" (NDB_No, FdGrp_Cd, \"Desc\") VALUES (99001, 100, 'Test spread');"
    "INSERT INTO \"WEIGHT.db\" (NDB_No, Amount, Msre_Desc, Gm_Wgt) VALUES (99001, 2, 'pat', 30);"
    "INSERT INTO \"NUT_DATA.db\" (NDB_No, Nutr_No, Nutr_Val) VALUES (99001, 203, 10);"
    "INSERT INTO \"NUT_DATA.db\" (NDB_No, Nutr_No, Nutr_Val) VALUES (99001, 204, NULL);";

TEST_F(FoodsTest, StartsOnAllFoodsAndSwitchesToTheFoodsOfAGroup)
{
    auto& m = foods();
    EXPECT_EQ(m.dscFoodDesc.dataSet(), &m.qrySearchFoods);
    EXPECT_EQ(m.qrySearchFoods.recordCount(), count("SELECT COUNT(*) FROM \"FOOD_DES.db\""));

    const auto& names = m.GetFoodGroupNames();
    ASSERT_EQ(names.size(), 25u);
    EXPECT_EQ(names.front(), "Dairy and Egg Products");

    m.ShowFoodsOfGroup("Fats and Oils");
    EXPECT_EQ(m.dscFoodDesc.dataSet(), &m.tblFoodDesc);
    EXPECT_EQ(m.tblFoodDesc.recordCount(), count("SELECT COUNT(*) FROM \"FOOD_DES.db\" WHERE FdGrp_Cd = 400"));
    EXPECT_EQ(m.tblFoodDesc.fieldByName("FoodGroups").asString(), "Fats and Oils");
    EXPECT_TRUE(messages.texts().empty());

    m.ShowSearchResults();
    m.ShowFoodsOfGroup("No such group");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Unknown Food Group"});
    EXPECT_EQ(m.tblFoodGroups.fieldByName("FdGrp_Cd").asInteger(), 400); // the previous group stays
    EXPECT_EQ(m.dscFoodDesc.dataSet(), &m.tblFoodDesc);
}

TEST_F(FoodsTest, AMeasureOfTwoUnitsGivesGramsPerUnitAndPerMeasureValues)
{
    seed(kTwoUnitFood);
    auto& m = foods();
    ASSERT_TRUE(m.qrySearchFoods.locate("NDB_No", Value(std::int64_t{99001})));
    m.ApplyNutrientPreferenceFilter();
    const auto& measures = m.GetMeasures();
    ASSERT_EQ(measures.size(), 1u);
    EXPECT_DOUBLE_EQ(measures[0].GramsPerUnit, 15);
    EXPECT_EQ(measures[0].Description, "pat");

    EXPECT_DOUBLE_EQ(m.SelectMeasure(0, 3), 45);
    EXPECT_DOUBLE_EQ(m.CurrentGramWeight(), 45);
    ASSERT_TRUE(m.tblNutrientData.locate("Nutr_No", Value(std::int64_t{203})));
    EXPECT_DOUBLE_EQ(m.tblNutrientData.fieldByName("Nutr_ValByServing").asFloat(), 4.5);
    EXPECT_DOUBLE_EQ(m.tblNutrientData.fieldByName("Gm_Wgt").asFloat(), 45);
    EXPECT_EQ(m.tblNutrientData.fieldByName("Nutr_ValByServing").displayText(), "4.5");
    ASSERT_TRUE(m.tblNutrientData.locate("Nutr_No", Value(std::int64_t{204})));
    EXPECT_DOUBLE_EQ(m.tblNutrientData.fieldByName("Nutr_ValByServing").asFloat(), 0); // empty value
    EXPECT_THROW(m.SelectMeasure(1, 1), ProgramError);
}

TEST_F(FoodsTest, MeasuresKeepTheFirstRowOfADescriptionAndSkipRowsWithoutAmount)
{
    seed("INSERT INTO \"WEIGHT.db\" (NDB_No, Amount, Msre_Desc, Gm_Wgt) VALUES (1001, 0, 'stick', 113);"
         "INSERT INTO \"WEIGHT.db\" (NDB_No, Amount, Msre_Desc, Gm_Wgt) VALUES (1001, NULL, 'tub', 200);");
    auto& m = foods();
    ASSERT_TRUE(m.qrySearchFoods.locate("NDB_No", Value(std::int64_t{1036})));
    const auto cups = m.GetMeasures();
    ASSERT_EQ(count("SELECT COUNT(*) FROM \"WEIGHT.db\" WHERE NDB_No = 1036 AND Msre_Desc = 'cup'"), 2);
    ASSERT_EQ(cups.size(), 1u);
    EXPECT_EQ(cups[0].WeightId, count("SELECT MIN(Weight_ID) FROM \"WEIGHT.db\" WHERE NDB_No = 1036"));

    ASSERT_TRUE(m.qrySearchFoods.locate("NDB_No", Value(std::int64_t{1001})));
    const auto& butter = m.GetMeasures();
    EXPECT_EQ(static_cast<std::int64_t>(butter.size()),
              count("SELECT COUNT(*) FROM \"WEIGHT.db\" WHERE NDB_No = 1001 AND Amount <> 0"));
    for (const auto& entry : butter)
        EXPECT_TRUE(std::isfinite(entry.GramsPerUnit)) << entry.Description;
}

TEST_F(FoodsTest, MeasureListenersRunInOrderOnEveryMoveOfTheFoodList)
{
    auto& m = foods();
    std::vector<std::string> calls;
    m.addMeasureListener([&] { calls.push_back("main:" + std::to_string(m.GetMeasures().size())); });
    const int dialog = m.addMeasureListener([&] { calls.push_back("dialog"); });
    m.qrySearchFoods.locate("NDB_No", Value(std::int64_t{1036}));
    // The measures are already those of the food moved to.
    EXPECT_EQ(calls, (std::vector<std::string>{"main:" + std::to_string(m.GetMeasures().size()), "dialog"}));
    m.removeMeasureListener(dialog);
    calls.clear();
    m.qrySearchFoods.next();
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(FoodsTest, PreferredNutrientsFilterTheGridOnly)
{
    auto& m = foods();
    m.qrySearchFoods.locate("NDB_No", Value(std::int64_t{1001}));
    const auto all = count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 1001");
    EXPECT_EQ(m.tblNutrientData.recordCount(),
              count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 1001 AND Nutr_No IN "
                    "(SELECT Nutr_No FROM \"Nutr_Preference.db\")"));
    EXPECT_EQ(m.tblNutrientData.filter().rfind("Nutr_No=208 OR Nutr_No=203 OR ", 0), 0u);
    m.tblFoodDesc2.locate("NDB_No", Value(std::int64_t{1001}));
    EXPECT_EQ(m.tblNutrientData2.recordCount(), all);

    // Each post or delete of a preference refilters at once, then calls the recipe side.
    std::vector<std::string> seenByRecipes;
    m.RecipePreferenceFilterHook = [&] { seenByRecipes.push_back(m.tblNutrientData.filter()); };
    while (!m.tblNutrientPreference.isEmpty())
        m.tblNutrientPreference.deleteRecord();
    EXPECT_EQ(m.tblNutrientData.recordCount(), all);
    m.tblNutrientPreference.append();
    m.tblNutrientPreference.fieldByName("Nutr_No").setAsInteger(255); // water: butter has it
    m.tblNutrientPreference.post();
    EXPECT_EQ(m.tblNutrientData.recordCount(), 1);
    EXPECT_EQ(seenByRecipes.size(), 13u);
    EXPECT_EQ(seenByRecipes.back(), "Nutr_No=255");

    m.tblNutrientPreference.edit();
    m.tblNutrientPreference.fieldByName("Nutr_No").setAsInteger(99999); // one the food lacks
    m.tblNutrientPreference.post();
    EXPECT_EQ(m.tblNutrientData.recordCount(), 0);
    EXPECT_EQ(m.tblNutrientData2.recordCount(), all);
}

TEST_F(FoodsTest, NameListsAndThePreferenceFilterReadRowsInPlace)
{
    auto& m = foods();
    // What a walk row by row would cost: the group's foods re-read at every step,
    // and the preference dialog's grid told of every move.
    int groupFoodReads = 0;
    DataSource groupFoods("groupFoods", &m.tblFoodDesc3);
    groupFoods.addListener([&](DataChange change, Field*) { groupFoodReads += change == DataChange::Reloaded; });
    int preferenceMoves = 0;
    DataSource preferences("preferences", &m.tblNutrientPreference);
    preferences.addListener([&](DataChange change, Field*) { preferenceMoves += change == DataChange::RowMoved; });

    m.tblFoodGroups2.first();
    EXPECT_EQ(m.GetFoodGroupNames().size(), 25u);
    EXPECT_LE(groupFoodReads, 1);
    EXPECT_TRUE(m.tblFoodGroups2.eof()); // left at its end, as a walk leaves it
    EXPECT_EQ(m.tblFoodGroups2.recNo(), 25);

    m.tblNutrientPreference.first();
    m.ApplyNutrientPreferenceFilter();
    EXPECT_LE(preferenceMoves, 2);
    EXPECT_TRUE(m.tblNutrientPreference.eof());
    EXPECT_EQ(m.tblNutrientData.filter().rfind("Nutr_No=208 OR Nutr_No=203 OR ", 0), 0u);
}
