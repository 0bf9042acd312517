#include "tests/foods/FoodsTestSupport.h"

namespace {

std::int64_t currentFood(TDataModuleFoods& m)
{
    return m.dscFoodDesc.dataSet()->fieldByName("NDB_No").asInteger();
}

// Stores one nutrient value and one measure through the food edit dialog's sets.
void storeDetailsOfEditedFood(TDataModuleFoods& m)
{
    m.tblNutrientData2.append();
    m.tblNutrientData2.fieldByName("Nutr_No").setAsInteger(203);
    m.tblNutrientData2.fieldByName("Nutr_Val").setAsFloat(7);
    m.tblNutrientData2.post();
    m.tblNutrientWeight2.append();
    m.tblNutrientWeight2.fieldByName("Msre_Desc").setAsString("slice");
    m.tblNutrientWeight2.fieldByName("Amount").setAsFloat(1);
    m.tblNutrientWeight2.fieldByName("Gm_Wgt").setAsFloat(20);
    m.tblNutrientWeight2.post();
}

} // namespace

TEST_F(FoodsTest, ANewFoodIsNumberedAboveTheHighestAndStoredOnPost)
{
    auto& m = foods();
    m.BeginNewFood();
    EXPECT_EQ(m.tblFoodDesc2.fieldByName("NDB_No").asInteger(), 20082);
    m.tblFoodDesc2.fieldByName("Desc").setAsString("Test loaf");
    m.tblFoodDesc2.fieldByName("FdGrp_Cd").setAsInteger(1800);
    storeDetailsOfEditedFood(m);
    m.PostNewFood();
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FOOD_DES.db\" WHERE NDB_No = 20082 AND \"Desc\" = 'Test loaf'"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 20082"), 1);
    EXPECT_EQ(m.NextFoodNumber(), 20083);
}

TEST_F(FoodsTest, CancellingANewFoodLeavesNothingForTheNextOne)
{
    auto& m = foods();
    m.BeginNewFood();
    storeDetailsOfEditedFood(m);
    m.CancelNewFood();
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 20082"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"WEIGHT.db\" WHERE NDB_No = 20082"), 0);
    EXPECT_FALSE(m.tblFoodDesc2.updatesPending());

    m.BeginNewFood();
    EXPECT_EQ(m.tblFoodDesc2.fieldByName("NDB_No").asInteger(), 20082);
    EXPECT_EQ(m.tblNutrientData2.recordCount(), 0);
    EXPECT_EQ(m.tblNutrientWeight2.recordCount(), 0);

    // A number typed over that of a stored food keeps that food's values.
    const auto butterValues = count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 1001");
    m.tblFoodDesc2.fieldByName("NDB_No").setAsInteger(1001);
    m.CancelNewFood();
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 1001"), butterValues);
}

TEST_F(FoodsTest, EditingAFoodStoresOrDropsTheChangeAndStaysOnIt)
{
    auto& m = foods();
    m.qrySearchFoods.locate("NDB_No", Value(std::int64_t{9003}));
    m.BeginEditFood();
    m.tblFoodDesc2.fieldByName("Desc").setAsString("Apples, crisp");
    m.CancelEditedFood();
    EXPECT_EQ(currentFood(m), 9003);
    EXPECT_EQ(m.qrySearchFoods.fieldByName("Desc").asString(), "Apples, raw, with skin");

    m.BeginEditFood();
    m.tblFoodDesc2.fieldByName("Desc").setAsString("Apples, crisp");
    m.PostEditedFood();
    EXPECT_EQ(currentFood(m), 9003);
    EXPECT_EQ(m.qrySearchFoods.fieldByName("Desc").asString(), "Apples, crisp");
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FOOD_DES.db\" WHERE \"Desc\" = 'Apples, crisp'"), 1);
}

TEST_F(FoodsTest, DeletingADisplayedFoodRemovesItsValuesMeasuresAndRowTogether)
{
    seed("INSERT INTO \"FOOD_DES.db\" (NDB_No, FdGrp_Cd, \"Desc\") VALUES (99003, 1800, 'Bare food')");
    auto& m = foods();
    m.ShowFoodsOfGroup("Dairy and Egg Products");
    m.tblFoodDesc.locate("NDB_No", Value(std::int64_t{1004}));

    EXPECT_FALSE(m.DeleteDisplayedFood()); // answered No
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Are you sure you want to delete [ Cheese, blue ]"});
    EXPECT_EQ(messages.messages().front().caption, "Confirmation!");
    EXPECT_EQ(currentFood(m), 1004);

    // A failure while storing keeps everything, values and measures included.
    m.DatabaseFoods.failNextWriteTo("FOOD_DES.db", "Record locked by another user");
    messages.answer(true);
    EXPECT_THROW(m.DeleteDisplayedFood(), ProgramError);
    EXPECT_GT(count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 1004"), 0);
    EXPECT_GT(count("SELECT COUNT(*) FROM \"WEIGHT.db\" WHERE NDB_No = 1004"), 0);
    EXPECT_TRUE(m.tblFoodDesc2.locate("NDB_No", Value(std::int64_t{1004})));

    messages.answer(true);
    EXPECT_TRUE(m.DeleteDisplayedFood());
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FOOD_DES.db\" WHERE NDB_No = 1004"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 1004"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"WEIGHT.db\" WHERE NDB_No = 1004"), 0);
    EXPECT_FALSE(m.tblFoodDesc.locate("NDB_No", Value(std::int64_t{1004})));

    const auto values = count("SELECT COUNT(*) FROM \"NUT_DATA.db\"");
    m.QueryAllFoods();
    m.ShowSearchResults();
    m.qrySearchFoods.locate("NDB_No", Value(std::int64_t{99003}));
    messages.answer(true);
    EXPECT_TRUE(m.DeleteDisplayedFood());
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FOOD_DES.db\" WHERE NDB_No = 99003"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.db\""), values);
}

TEST_F(FoodsTest, FoodGroupsGetDistinctCodesAndAreDeletedOnlyWhenEmpty)
{
    auto& m = foods();
    for (const std::string name : {"Snacks", "Drinks"}) {
        m.BeginNewFoodGroup();
        m.tblFoodGroups2.fieldByName("FdGrp_Desc").setAsString(name);
        m.PostNewFoodGroup();
    }
    m.tblFoodGroups2.applyUpdates();
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FD_GROUP.db\" WHERE FdGrp_Cd IN (3601, 3602)"), 2);

    m.tblFoodGroups2.first(); // Dairy and Egg Products holds foods
    m.DeleteFoodGroup();
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"Can't Delete a Group with food items in it...\n Delete Food Item(s) First!!"});

    // A renamed group shows under its new name at once, before it is applied.
    m.BeginEditFoodGroup();
    m.tblFoodGroups2.fieldByName("FdGrp_Desc").setAsString("Dairy");
    m.PostEditedFoodGroup();
    m.QueryAllFoods();
    EXPECT_EQ(m.qrySearchFoods.fieldByName("FoodGroups").asString(), "Dairy");
    m.tblFoodGroups2.cancelUpdates();

    m.tblFoodGroups2.last();
    messages.clear();
    messages.answer(true);
    m.DeleteFoodGroup();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Are you sure you want to delete [ Drinks ]"});
    m.tblFoodGroups2.applyUpdates();
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FD_GROUP.db\""), 26);
}

TEST_F(FoodsTest, DeletingWithNoGroupOrSavedSearchAsksNothing)
{
    seed("DELETE FROM \"FD_GROUP.db\"");
    auto& m = foods();
    messages.answer(true);
    messages.answer(true);
    EXPECT_NO_THROW(m.DeleteFoodGroup());
    EXPECT_NO_THROW(m.DeleteRuleGroup());
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(FoodsTest, NumbersStartAtOneOnEmptyTables)
{
    seed("DELETE FROM \"FD_GROUP.db\"; DELETE FROM \"FOOD_DES.db\";");
    auto& m = foods();
    EXPECT_EQ(m.NextFoodGroupCode(), 1);
    EXPECT_EQ(m.NextFoodNumber(), 1);
    EXPECT_EQ(m.NextRuleGroupId(), 1);
}
