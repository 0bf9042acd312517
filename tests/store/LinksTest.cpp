#include "store/ProgramError.h"
#include "store/Query.h"
#include "tests/store/StoreTestSupport.h"
#include "store/Table.h"

#include <algorithm>
#include <vector>

namespace {

// Food groups -> foods -> nutrient values, with a lookup of group names and a
// calculated field, as the food browser wires them.
class Links : public StoreTest {
protected:
    Table groups{db, "tblFoodGroups", "FD_GROUP.db"};
    DataSource dscGroups{"dscFoodGroups", &groups};
    Table groupNames{db, "tblFoodGroups2", "FD_GROUP.db"};
    Table foods{db, "tblFoodDesc", "FOOD_DES.db", "FdGrp_Index"};
    DataSource dscFoods{"dscFoodDesc", &foods};
    Table values{db, "tblNutrientData", "NUT_DATA.db", "NDB_Index"};
    double grams = 50;
    int calculations = 0;

    void SetUp() override
    {
        groupNames.setCachedUpdates(true);
        groupNames.open();
        groups.open();
        foods.setFields({FieldSpec::data("Desc"),
                         FieldSpec::lookup("FoodGroups", "FdGrp_Cd", groupNames, "FdGrp_Cd", "FdGrp_Desc").withLabel("Food Groups"),
                         FieldSpec::data("NDB_No"), FieldSpec::data("FdGrp_Cd")});
        foods.setMaster(dscGroups, "FdGrp_Cd");
        foods.open();
        values.setFields({FieldSpec::data("Nutr_Val"), FieldSpec::calculated("Nutr_ValByServing", FieldType::Number),
                          FieldSpec::data("Nutr_No"), FieldSpec::data("NDB_No")});
        values.onCalcFields = [this](RecordSet& set) {
            ++calculations;
            set.fieldByName("Nutr_ValByServing").setAsFloat(set.fieldByName("Nutr_Val").asFloat() * (grams * 0.01));
        };
        values.setMaster(dscFoods, "NDB_No");
        values.open();
    }
};

TEST_F(Links, DetailsOfDetailsFollowEveryMoveOfTheMaster)
{
    EXPECT_EQ(foods.fieldByName("NDB_No").asInteger(), 1001);
    EXPECT_EQ(values.recordCount(), dir.stored().count(R"(SELECT count(*) FROM "NUT_DATA.db" WHERE NDB_No = 1001)"));
    ASSERT_TRUE(groups.locate("FdGrp_Desc", Value(std::string("Fruits and Fruit Juices"))));
    EXPECT_EQ(foods.recordCount(), dir.stored().count(R"(SELECT count(*) FROM "FOOD_DES.db" WHERE FdGrp_Cd = 900)"));
    EXPECT_EQ(foods.fieldByName("NDB_No").asInteger(), 9001);
    EXPECT_EQ(values.fieldByName("NDB_No").asInteger(), 9001);
    foods.next();
    EXPECT_EQ(values.fieldByName("NDB_No").asInteger(), foods.fieldByName("NDB_No").asInteger());

    // A group without foods empties both levels.
    ASSERT_TRUE(groups.locate("FdGrp_Cd", Value(std::int64_t(3500))));
    EXPECT_EQ(foods.recordCount(), 0);
    EXPECT_EQ(values.recordCount(), 0);
}

TEST_F(Links, DetailRowsComeInIndexOrderThenNaturalOrder)
{
    Table weights(db, "tblNutrientWeight", "WEIGHT.db", "NDB_Index");
    weights.setMaster(dscFoods, "NDB_No");
    weights.open();
    std::vector<std::int64_t> ids;
    for (weights.first(); !weights.eof(); weights.next())
        ids.push_back(weights.fieldByName("Weight_ID").asInteger());
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(ids.size(), 4u);
}

TEST_F(Links, PointingTheSourceAtAnotherSetMovesItsDetails)
{
    Query all(db, "qrySearchFoods");
    all.addSql("SELECT FdGrp_Cd, NDB_No, Food_des.\"Desc\" FROM \"FOOD_DES.db\" Food_des WHERE NDB_No = 20081");
    all.open();
    dscFoods.setDataSet(&all);
    EXPECT_EQ(values.fieldByName("NDB_No").asInteger(), 20081);
    dscFoods.setDataSet(&foods);
    EXPECT_EQ(values.fieldByName("NDB_No").asInteger(), 1001);
}

TEST_F(Links, AppendingToADetailTakesTheMastersKey)
{
    Table weights(db, "tblNutrientWeight", "WEIGHT.db", "NDB_Index");
    weights.setCachedUpdates(true);
    weights.setMaster(dscFoods, "NDB_No");
    weights.open();
    weights.append();
    EXPECT_EQ(weights.fieldByName("NDB_No").asInteger(), 1001);
    weights.fieldByName("Msre_Desc").setAsString("spoon");
    weights.post();
    foods.next();
    EXPECT_FALSE(weights.locate("Msre_Desc", Value(std::string("spoon"))));
    foods.first();
    EXPECT_TRUE(weights.locate("Msre_Desc", Value(std::string("spoon")))) << "pending rows survive master moves";
}

TEST_F(Links, LookupsSeePendingRenamesAndEmptyWhenNothingMatches)
{
    EXPECT_EQ(foods.fieldByName("FoodGroups").asString(), "Dairy and Egg Products");
    ASSERT_TRUE(groupNames.locate("FdGrp_Cd", Value(std::int64_t(100))));
    groupNames.edit();
    groupNames.fieldByName("FdGrp_Desc").setAsString("Dairy");
    groupNames.post();
    EXPECT_EQ(foods.fieldByName("FoodGroups").asString(), "Dairy");
    EXPECT_EQ(foods.displayTextAt(0, foods.fieldByName("FoodGroups")), "Dairy");
    groupNames.cancelUpdates();
    EXPECT_EQ(foods.fieldByName("FoodGroups").asString(), "Dairy and Egg Products");

    groupNames.deleteRecord(); // pending: the food's group is gone from the lookup set
    EXPECT_TRUE(foods.fieldByName("FoodGroups").isNull());
}

TEST_F(Links, CalculatedFieldsAreRecomputedOnRefresh)
{
    values.first();
    const double per100 = values.fieldByName("Nutr_Val").asFloat();
    EXPECT_DOUBLE_EQ(values.fieldByName("Nutr_ValByServing").asFloat(), per100 * 0.5);
    values.next();
    const int row = values.recNo();
    grams = 200;
    values.refresh();
    EXPECT_EQ(values.recNo(), row) << "refresh keeps the position";
    values.first();
    EXPECT_DOUBLE_EQ(values.fieldByName("Nutr_ValByServing").asFloat(), per100 * 2);
    EXPECT_THROW(values.fieldByName("Nutr_ValByServing").setAsFloat(1), ProgramError);
}

TEST_F(Links, RecalculatingFollowsTheHandlersInputsAndRowsStoredMeanwhile)
{
    values.first();
    const double per100 = values.fieldByName("Nutr_Val").asFloat();
    const int count = values.recordCount();
    values.next();
    grams = 300;
    values.recalculate();
    EXPECT_EQ(values.recNo(), 2) << "recalculating keeps the position";
    values.first();
    EXPECT_DOUBLE_EQ(values.fieldByName("Nutr_ValByServing").asFloat(), per100 * 3);

    // A value stored through another set of the same table is read again.
    Table other(db, "tblNutrientDataOther", "NUT_DATA.db");
    other.open();
    other.append();
    other.fieldByName("NDB_No").setAsInteger(1001);
    other.fieldByName("Nutr_No").setAsInteger(999);
    other.fieldByName("Nutr_Val").setAsFloat(10);
    other.post();
    grams = 100;
    values.recalculate();
    EXPECT_EQ(values.recordCount(), count + 1);
    ASSERT_TRUE(values.locate("Nutr_No", Value(std::int64_t(999))));
    EXPECT_DOUBLE_EQ(values.fieldByName("Nutr_ValByServing").asFloat(), 10);
}

TEST_F(Links, FiltersShowOnlyRowsMeetingATerm)
{
    const int all = values.recordCount();
    values.setFilter("Nutr_No=203 OR Nutr_No=204");
    EXPECT_EQ(values.recordCount(), all) << "a filter applies only once switched on";
    values.setFiltered(true);
    EXPECT_EQ(values.recordCount(), 2);
    foods.next();
    EXPECT_EQ(values.recordCount(), 2) << "the filter holds across master moves";
    values.setFilter("Nutr_No = 99999");
    EXPECT_EQ(values.recordCount(), 0);
    values.setFilter("");
    EXPECT_EQ(values.recordCount(), values.recordCount());
    EXPECT_GT(values.recordCount(), 2);
    EXPECT_THROW(values.setFilter("Nutr_Nope=203"), ProgramError);
    values.setFiltered(false);
    EXPECT_GT(values.recordCount(), 2);
}

TEST_F(Links, FilteredTablesShowTheRowsAndOrderTheTermsAsk)
{
    dir.stored().execute(R"(INSERT INTO "FOOD_DES.db" (NDB_No, FdGrp_Cd, "Desc") VALUES (99001, 100, 'Odd "quoted" \ name'),
                            (99002, NULL, 'No group'), (99003, 900, 'x'))");
    Table filtered(db, "tblFiltered", "FOOD_DES.db", "FdGrp_Index");
    filtered.setFilter(R"(Desc = 'Odd "quoted" \ name' OR FdGrp_Cd = 900 OR FdGrp_Cd = 900.0 OR FdGrp_Cd = )");
    filtered.setFiltered(true);
    filtered.open();
    std::vector<std::int64_t> shown;
    for (filtered.first(); !filtered.eof(); filtered.next())
        shown.push_back(filtered.fieldByName("NDB_No").asInteger());
    EXPECT_EQ(shown, dir.stored().numbers(R"(SELECT NDB_No FROM "FOOD_DES.db" WHERE "Desc" = 'Odd "quoted" \ name'
                                             OR FdGrp_Cd = 900 OR FdGrp_Cd IS NULL ORDER BY FdGrp_Cd, rowid)"));
    EXPECT_NE(std::find(shown.begin(), shown.end(), 99002), shown.end()) << "an empty term takes empty values";

    // A number too large to compare exactly is still filtered as every other.
    filtered.setFilter("NDB_No = 99001 OR N_Factor = 100000000000000000000");
    EXPECT_EQ(filtered.recordCount(), 1);

    // A pending edit that moves a row into the filter leaves it where it is stored.
    Table cached(db, "tblCached", "FOOD_DES.db", "FdGrp_Index");
    cached.setCachedUpdates(true);
    cached.open();
    const std::int64_t moved = cached.fieldByName("NDB_No").asInteger();
    cached.edit();
    cached.fieldByName("FdGrp_Cd").setAsInteger(900);
    cached.post();
    cached.setFilter("FdGrp_Cd = 900");
    cached.setFiltered(true);
    EXPECT_EQ(cached.recordCount(), 1 + dir.stored().count(R"(SELECT count(*) FROM "FOOD_DES.db" WHERE FdGrp_Cd = 900)"));
    cached.first();
    EXPECT_EQ(cached.fieldByName("NDB_No").asInteger(), moved);
}

TEST_F(Links, NotificationsReachDetailsBeforeHandlersAndHandlersMayMoveOtherSets)
{
    std::vector<std::string> seen;
    dscFoods.onDataChange = [&](DataSource&, Field*) {
        seen.push_back("food " + foods.fieldByName("NDB_No").asString() + " values of "
                       + values.fieldByName("NDB_No").asString());
        groupNames.last(); // handlers may move other sets
    };
    int posts = 0;
    int deletes = 0;
    groupNames.afterPost = [&](RecordSet&) { ++posts; };
    groupNames.afterDelete = [&](RecordSet&) { ++deletes; };
    foods.next();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "food 1002 values of 1002");
    EXPECT_EQ(groupNames.recNo(), 25);
    groupNames.edit();
    groupNames.fieldByName("FdGrp_Desc").setAsString("x");
    groupNames.post();
    groupNames.deleteRecord();
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(deletes, 1);
}

TEST_F(Links, ARowStoredThroughOneSetShowsInTheOthers)
{
    Table other(db, "tblFoodGroups3", "FD_GROUP.db");
    other.open();
    const int before = other.recordCount();
    groups.append();
    groups.fieldByName("FdGrp_Cd").setAsInteger(9800);
    groups.fieldByName("FdGrp_Desc").setAsString("Mine");
    groups.post();
    EXPECT_EQ(other.recordCount(), before + 1);
    EXPECT_TRUE(other.locate("FdGrp_Desc", Value(std::string("Mine"))));

    groupNames.append();
    groupNames.fieldByName("FdGrp_Cd").setAsInteger(9801);
    groupNames.post();
    EXPECT_FALSE(other.locate("FdGrp_Cd", Value(std::int64_t(9801)))) << "pending rows are not stored rows";
    groupNames.applyUpdates();
    groupNames.commitUpdates();
    EXPECT_TRUE(other.locate("FdGrp_Cd", Value(std::int64_t(9801))));
}

} // namespace

namespace {

TEST_F(Links, AHandlerThatMakesTheMasterReReadDoesNotPullRowsFromUnderTheDetail)
{
    // The first run of the detail's handler stores changes to both tables (as a
    // handler reaching into another module might) and then reads the master,
    // which re-reads and tells its details while the detail is still building rows.
    Table otherGroups(db, "tblOtherGroups", "FD_GROUP.db");
    otherGroups.open();
    Table newFoods(db, "tblNewFoods", "FOOD_DES.db");
    newFoods.open();
    bool renamed = false;
    Table foodsOfGroup(db, "tblFoodsOfGroup", "FOOD_DES.db", "FdGrp_Index");
    foodsOfGroup.setFields({FieldSpec::data("NDB_No"), FieldSpec::data("FdGrp_Cd"),
                            FieldSpec::calculated("GroupName", FieldType::Alpha, 33)});
    foodsOfGroup.onCalcFields = [&](RecordSet& set) {
        if (foodsOfGroup.active() && !renamed) {
            renamed = true;
            otherGroups.edit();
            otherGroups.fieldByName("FdGrp_Desc").setAsString("Dairy, renamed");
            otherGroups.post();
            newFoods.append();
            newFoods.fieldByName("NDB_No").setAsInteger(99100);
            newFoods.fieldByName("FdGrp_Cd").setAsInteger(100);
            newFoods.post();
        }
        set.fieldByName("GroupName").setAsString(groups.fieldByName("FdGrp_Desc").asString());
    };
    foodsOfGroup.setMaster(dscGroups, "FdGrp_Cd");
    foodsOfGroup.open();
    foodsOfGroup.refresh();

    EXPECT_TRUE(renamed);
    EXPECT_EQ(foodsOfGroup.recordCount(), dir.stored().count(R"(SELECT count(*) FROM "FOOD_DES.db" WHERE FdGrp_Cd = 100)"));
    for (foodsOfGroup.first(); !foodsOfGroup.eof(); foodsOfGroup.next())
        EXPECT_EQ(foodsOfGroup.fieldByName("GroupName").asString(), "Dairy, renamed");
}

} // namespace

namespace {

TEST_F(Links, DisabledControlsHearNothingUntilEnabledThenOneReRead)
{
    int changes = 0;
    dscFoods.addListener([&](DataChange, Field*) { ++changes; });
    {
        ControlsDisabled quiet(foods);
        foods.next();
        foods.next();
        EXPECT_EQ(values.fieldByName("NDB_No").asInteger(), 1001) << "details wait while controls are disabled";
        EXPECT_EQ(changes, 0);
    }
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(values.fieldByName("NDB_No").asInteger(), foods.fieldByName("NDB_No").asInteger());
    {
        ControlsDisabled quiet(foods);
    }
    EXPECT_EQ(changes, 1) << "nothing happened, nothing to tell";
}

} // namespace

namespace {

TEST_F(Links, AnOpenDetailEditIsPostedToItsOwnRowWhenTheMasterMoves)
{
    Table weights(db, "tblNutrientWeight", "WEIGHT.db", "NDB_Index");
    weights.setCachedUpdates(true);
    weights.setMaster(dscFoods, "NDB_No");
    weights.open();
    const auto edited = weights.fieldByName("Weight_ID").asInteger();
    weights.edit();
    weights.fieldByName("Msre_Desc").setAsString("edited before the move");
    foods.next();
    EXPECT_EQ(weights.state(), DataSetState::Browse);
    EXPECT_FALSE(weights.locate("Msre_Desc", Value(std::string("edited before the move"))));
    foods.prior();
    ASSERT_TRUE(weights.locate("Msre_Desc", Value(std::string("edited before the move"))));
    EXPECT_EQ(weights.fieldByName("Weight_ID").asInteger(), edited);
}

} // namespace
