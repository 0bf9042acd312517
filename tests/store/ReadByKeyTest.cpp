#include "tests/store/StoreTestSupport.h"
#include "store/Table.h"
#include "store/Text.h"

#include <string>
#include <vector>

namespace {

// The recipe side's food and measure lookups and the food side's edit set, each
// once holding the whole table and once reading by key.
class ReadByKey : public StoreTest {
protected:
    Table wholeFoods{db, "tblFoodDescWhole", "FOOD_DES.db"};
    Table keyedFoods{db, "tblFoodDesc", "FOOD_DES.db"};
    Table wholeWeights{db, "tblNutrientWeightsWhole", "WEIGHT.db"};
    Table keyedWeights{db, "tblNutrientWeightsAll", "WEIGHT.db"};
    Table writer{db, "tblFoodDescWriter", "FOOD_DES.db"};

    void SetUp() override
    {
        keyedFoods.setReadByKey(true);
        keyedFoods.setCachedUpdates(true);
        keyedWeights.setReadByKey(true);
        for (Table* set : {&wholeFoods, &keyedFoods, &wholeWeights, &keyedWeights, &writer})
            set->open();
    }

    std::string name(RecordSet& foods, std::int64_t food)
    {
        return std::get<std::string>(orEmpty(foods.lookup("NDB_No", Value(food), "Desc")));
    }

    static Value orEmpty(const Value& value) { return isNull(value) ? Value(std::string()) : value; }

    std::vector<std::int64_t> storedNumbers(const std::string& sql) { return dir.stored().numbers(sql); }
};

TEST_F(ReadByKey, LookupsGiveWhatTheWholeTableGives)
{
    auto foods = storedNumbers(R"(SELECT NDB_No FROM "FOOD_DES.db")");
    foods.push_back(424242);
    for (std::int64_t food : foods)
        EXPECT_EQ(keyedFoods.lookup("NDB_No", Value(food), "Desc"), wholeFoods.lookup("NDB_No", Value(food), "Desc")) << food;
    // Keys stored as numbers of another kind, as ingredients keep their measure references.
    auto weights = storedNumbers(R"(SELECT Weight_ID FROM "WEIGHT.db")");
    weights.push_back(-5);
    for (std::int64_t weight : weights) {
        const Value asDouble(static_cast<double>(weight));
        EXPECT_EQ(keyedWeights.lookup("Weight_ID", asDouble, "Msre_Desc"),
                  wholeWeights.lookup("Weight_ID", asDouble, "Msre_Desc")) << weight;
    }
    EXPECT_TRUE(isNull(keyedFoods.lookup("NDB_No", Value(std::string("1001")), "Desc")));
    EXPECT_TRUE(isNull(keyedFoods.lookup("NDB_No", Value(), "Desc")));
    EXPECT_LE(keyedFoods.recordCount(), 1);
    EXPECT_LE(keyedWeights.recordCount(), 1);
}

TEST_F(ReadByKey, LookupsSeePendingRowsRenamesAndDeletes)
{
    keyedFoods.append();
    keyedFoods.fieldByName("NDB_No").setAsInteger(99001);
    keyedFoods.fieldByName("Desc").setAsString("Pending food");
    keyedFoods.post();
    ASSERT_TRUE(keyedFoods.locate("NDB_No", Value(std::int64_t{1002})));
    keyedFoods.edit();
    keyedFoods.fieldByName("Desc").setAsString("Renamed, not yet stored");
    keyedFoods.post();
    EXPECT_EQ(name(keyedFoods, 1003), name(wholeFoods, 1003)); // cached before the delete
    ASSERT_TRUE(keyedFoods.locate("NDB_No", Value(std::int64_t{1003})));
    keyedFoods.deleteRecord();

    EXPECT_EQ(name(keyedFoods, 99001), "Pending food");
    EXPECT_EQ(name(keyedFoods, 1002), "Renamed, not yet stored");
    EXPECT_EQ(name(keyedFoods, 1003), "");
    EXPECT_EQ(name(keyedFoods, 1004), name(wholeFoods, 1004));
    // The rows with pending changes are still there to apply after further locates.
    ASSERT_TRUE(keyedFoods.locate("NDB_No", Value(std::int64_t{1005})));
    EXPECT_TRUE(keyedFoods.locate("Desc", Value(std::string("pending FOOD")), true));
    EXPECT_EQ(keyedFoods.fieldByName("NDB_No").asInteger(), 99001);

    keyedFoods.cancelUpdates();
    EXPECT_EQ(name(keyedFoods, 1002), name(wholeFoods, 1002));
    EXPECT_EQ(name(keyedFoods, 1003), name(wholeFoods, 1003));
    EXPECT_EQ(name(keyedFoods, 99001), "");
}

TEST_F(ReadByKey, LookupsAndHeldRowsFollowATableChange)
{
    EXPECT_EQ(name(keyedFoods, 1001), name(wholeFoods, 1001));
    ASSERT_TRUE(keyedFoods.locate("NDB_No", Value(std::int64_t{1004})));
    ASSERT_TRUE(writer.locate("NDB_No", Value(std::int64_t{1001})));
    writer.edit();
    writer.fieldByName("Desc").setAsString("Butter, renamed elsewhere");
    writer.post();
    ASSERT_TRUE(writer.locate("NDB_No", Value(std::int64_t{1004})));
    writer.edit();
    writer.fieldByName("Desc").setAsString("Cheese, renamed elsewhere");
    writer.post();
    EXPECT_EQ(name(keyedFoods, 1001), "Butter, renamed elsewhere");
    EXPECT_EQ(keyedFoods.fieldByName("Desc").asString(), "Cheese, renamed elsewhere");
}

TEST_F(ReadByKey, LocateAndEditReachEveryStoredRow)
{
    EXPECT_FALSE(keyedFoods.locate("NDB_No", Value(std::int64_t{424242})));
    for (std::int64_t food : storedNumbers(R"(SELECT NDB_No FROM "FOOD_DES.db" ORDER BY NDB_No DESC)")) {
        ASSERT_TRUE(keyedFoods.locate("NDB_No", Value(food)));
        ASSERT_TRUE(wholeFoods.locate("NDB_No", Value(food)));
        EXPECT_EQ(keyedFoods.fieldByName("Desc").asString(), wholeFoods.fieldByName("Desc").asString());
        // By a field that is not the key, too, ignoring case.
        ASSERT_TRUE(keyedFoods.locate("Desc", Value(lowerText(wholeFoods.fieldByName("Desc").asString())), true));
        EXPECT_EQ(keyedFoods.fieldByName("NDB_No").asInteger(), food);
        EXPECT_LE(keyedFoods.recordCount(), 2); // the row found, and the one current before
    }
    keyedFoods.edit();
    keyedFoods.fieldByName("Desc").setAsString("Edited by key");
    keyedFoods.applyUpdates();
    EXPECT_EQ(dir.stored().rows(R"(SELECT "Desc" FROM "FOOD_DES.db" WHERE NDB_No = 1001)"),
              std::vector<std::string>{"Edited by key"});
}

// Locate goes through an index once a set is located again without changing in
// between; the answer must be the linear walk's, on every stored field.
TEST_F(ReadByKey, LocateThroughTheIndexFindsWhatAWalkFinds)
{
    Table weights(db, "tblNutrientWeight", "WEIGHT.db", "NDB_Index");
    weights.open();
    const int rows = weights.recordCount();
    for (const auto& field : weights.fields()) {
        std::vector<Value> wanted{Value(std::string("no such value")), Value(std::int64_t{-7})};
        for (int row : {0, 1, rows / 3, rows / 2, rows - 1})
            wanted.push_back(weights.valueAt(row, *field));
        for (const Value& value : wanted) {
            int firstMatch = 0;
            for (int row = 0; row < rows && firstMatch == 0; ++row)
                if (sameValue(weights.valueAt(row, *field), value))
                    firstMatch = row + 1;
            weights.first();
            const bool found = weights.locate(field->fieldName(), value);
            EXPECT_EQ(found, firstMatch > 0) << field->fieldName();
            EXPECT_EQ(found ? weights.recNo() : 0, firstMatch) << field->fieldName();
        }
    }
}

TEST_F(ReadByKey, LocateThroughTheIndexFollowsPostsAndAppends)
{
    Table weights(db, "tblNutrientWeight", "WEIGHT.db", "NDB_Index");
    weights.setCachedUpdates(true);
    weights.open();
    Field& description = weights.fieldByName("Msre_Desc");
    auto walk = [&](const std::string& wanted) {
        for (int row = 0; row < weights.recordCount(); ++row)
            if (sameValue(weights.valueAt(row, description), Value(wanted)))
                return row + 1;
        return 0;
    };
    auto expectSameAsWalk = [&](const std::string& wanted) {
        const int expected = walk(wanted);
        EXPECT_EQ(weights.locate("Msre_Desc", Value(wanted)), expected > 0) << wanted;
        if (expected > 0) {
            EXPECT_EQ(weights.recNo(), expected) << wanted;
        }
    };
    for (int i = 0; i < 3; ++i)
        expectSameAsWalk("cup");
    const int rows = weights.recordCount();
    const std::string late = std::get<std::string>(weights.valueAt(rows - 2, description));

    // A row takes a value that a later row has; the first row with "cup" gives it up.
    weights.setRecNo(2);
    weights.edit();
    description.setAsString(late);
    weights.post();
    expectSameAsWalk(late);
    ASSERT_TRUE(weights.locate("Msre_Desc", Value(std::string("cup"))));
    weights.edit();
    description.setAsString("no longer a cup");
    weights.post();
    expectSameAsWalk("cup");
    expectSameAsWalk("no longer a cup");
    // Appended rows come after every stored one with the same value.
    for (const char* added : {"cup", "brand new measure"}) {
        weights.append();
        weights.fieldByName("NDB_No").setAsInteger(1001);
        description.setAsString(added);
        weights.post();
        expectSameAsWalk(added);
    }
    weights.append();
    weights.cancel();
    expectSameAsWalk("brand new measure");
}

} // namespace
