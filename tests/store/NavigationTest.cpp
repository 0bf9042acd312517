#include "store/ProgramError.h"
#include "store/Query.h"
#include "tests/store/StoreTestSupport.h"
#include "store/Table.h"

namespace {

class Navigation : public StoreTest {
protected:
    Table groups{db, "tblFoodGroups", "FD_GROUP.db"};
    void SetUp() override { groups.open(); }
};

TEST_F(Navigation, WalksForwardAndBackWithEndFlags)
{
    EXPECT_TRUE(groups.bof());
    EXPECT_FALSE(groups.eof());
    int forward = 0;
    for (groups.first(); !groups.eof(); groups.next())
        ++forward;
    EXPECT_EQ(forward, 25);
    EXPECT_EQ(groups.recNo(), 25);
    int backward = 0;
    for (groups.last(); !groups.bof(); groups.prior())
        ++backward;
    EXPECT_EQ(backward, 25);
    EXPECT_EQ(groups.fieldByName("FdGrp_Cd").asInteger(), 100);
}

TEST_F(Navigation, RecordNumberCarriesTheRowToAnotherSetOverTheTable)
{
    Table other(db, "tblFoodGroups2", "FD_GROUP.db");
    other.open();
    groups.setRecNo(7);
    other.setRecNo(groups.recNo());
    EXPECT_EQ(other.fieldByName("FdGrp_Desc").asString(), groups.fieldByName("FdGrp_Desc").asString());
}

TEST_F(Navigation, LocateExactOrIgnoringCaseAndStaysPutWhenNothingMatches)
{
    EXPECT_TRUE(groups.locate("FdGrp_Desc", Value(std::string("Baked Products"))));
    EXPECT_EQ(groups.fieldByName("FdGrp_Cd").asInteger(), 1800);
    EXPECT_FALSE(groups.locate("FdGrp_Desc", Value(std::string("baked products"))));
    EXPECT_EQ(groups.fieldByName("FdGrp_Cd").asInteger(), 1800);
    EXPECT_TRUE(groups.locate("FdGrp_Desc", Value(std::string("SPICES AND HERBS")), true));
    EXPECT_EQ(groups.fieldByName("FdGrp_Cd").asInteger(), 200);
    EXPECT_TRUE(groups.locate("FdGrp_Cd", Value(std::string("1100"))));
    EXPECT_FALSE(groups.locate("FdGrp_Cd", Value(std::string("vegetables"))));
}

TEST_F(Navigation, IgnoringCaseCoversAccentedLettersInLocateAndLower)
{
    db.sqlite().execute(R"(INSERT INTO "FD_GROUP.db" VALUES (9900, 'Crème ŒUFS, Ÿ Š Ą µ'))");
    groups.refresh();
    const Value typed(std::string("CRÈME œufs, ÿ š ą µ"));
    EXPECT_FALSE(groups.locate("FdGrp_Desc", typed));
    EXPECT_TRUE(groups.locate("FdGrp_Desc", typed, true));
    EXPECT_EQ(groups.fieldByName("FdGrp_Cd").asInteger(), 9900);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FD_GROUP.db" WHERE LOWER(FdGrp_Desc) = 'crème œufs, ÿ š ą µ')"), 1);
    EXPECT_EQ(dir.stored().count("SELECT count(*) FROM \"FD_GROUP.db\" WHERE LOWER(NULL) IS NULL AND LOWER(12) = '12'"), 26);
}

TEST_F(Navigation, DeletingFromTheFirstRowUntilEndOfSetEmptiesIt)
{
    Table weights(db, "tblWeights", "WEIGHT.db");
    weights.setFilter("NDB_No = 1001");
    weights.setFiltered(true);
    weights.open();
    ASSERT_EQ(weights.recordCount(), 4);
    weights.first();
    while (!weights.eof())
        weights.deleteRecord();
    EXPECT_EQ(weights.recordCount(), 0);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "WEIGHT.db" WHERE NDB_No = 1001)"), 0);
    try {
        weights.deleteRecord();
        FAIL() << "no error";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "Cannot perform this operation on an empty dataset");
    }
}

TEST_F(Navigation, EditOnAnEmptySetStartsANewRow)
{
    Table weights(db, "tblWeights", "WEIGHT.db");
    weights.setFilter("NDB_No = 999999");
    weights.setFiltered(true);
    weights.open();
    ASSERT_TRUE(weights.isEmpty());
    weights.edit();
    EXPECT_EQ(weights.state(), DataSetState::Insert);
    EXPECT_EQ(weights.recordCount(), 1);
    weights.cancel();
    EXPECT_TRUE(weights.isEmpty());
    EXPECT_EQ(weights.state(), DataSetState::Browse);
}

TEST_F(Navigation, DeletingTheLastRowStandsOnTheNewLastRow)
{
    Table preferences(db, "tblNutrientPreference", "Nutr_Preference.db");
    preferences.open();
    preferences.last();
    preferences.deleteRecord();
    EXPECT_EQ(preferences.recordCount(), 11);
    EXPECT_TRUE(preferences.eof());
    EXPECT_EQ(preferences.fieldByName("Nutr_No").asInteger(), 601);
}

TEST_F(Navigation, PostAppendsAndEditsWhileCancelRestores)
{
    groups.append();
    EXPECT_EQ(groups.state(), DataSetState::Insert);
    groups.fieldByName("FdGrp_Cd").setAsInteger(9900);
    groups.fieldByName("FdGrp_Desc").setAsString("Homemade");
    groups.post();
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FD_GROUP.db" WHERE FdGrp_Cd = 9900 AND FdGrp_Desc = 'Homemade')"), 1);

    groups.edit();
    groups.fieldByName("FdGrp_Desc").setAsString("Changed my mind");
    groups.cancel();
    EXPECT_EQ(groups.fieldByName("FdGrp_Desc").asString(), "Homemade");

    const int before = groups.recordCount();
    groups.append();
    groups.cancel();
    EXPECT_EQ(groups.recordCount(), before);
    EXPECT_EQ(groups.state(), DataSetState::Browse);
}

TEST_F(Navigation, FieldWritesConvertAndRefuseWhatDoesNotFit)
{
    groups.edit();
    EXPECT_THROW(groups.fieldByName("FdGrp_Cd").setAsString("abc"), ProgramError);
    EXPECT_EQ(groups.fieldByName("FdGrp_Cd").asInteger(), 100); // unchanged
    groups.fieldByName("FdGrp_Desc").setAsString(std::string(40, 'x'));
    EXPECT_EQ(groups.fieldByName("FdGrp_Desc").asString().size(), 33u);
    groups.fieldByName("FdGrp_Desc").setAsString("Crème brûlée über alles, très très long name");
    EXPECT_EQ(groups.fieldByName("FdGrp_Desc").asString(), "Crème brûlée über alles, très tr"
                                                           "è");
    groups.cancel();

    EXPECT_THROW(groups.fieldByName("FdGrp_Desc").setAsString("not editing"), ProgramError);
    EXPECT_EQ(groups.fieldByName("FdGrp_Cd").asFloat(), 100.0);
    EXPECT_EQ(groups.fieldByName("FdGrp_Cd").asString(), "100");
}

TEST_F(Navigation, KeyViolationNamesTheTableAndKeepsTheRowForCorrection)
{
    groups.append();
    groups.fieldByName("FdGrp_Cd").setAsInteger(100);
    groups.fieldByName("FdGrp_Desc").setAsString("Duplicate");
    try {
        groups.post();
        FAIL() << "no error";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "Key violation in table FD_GROUP.db");
    }
    EXPECT_EQ(groups.state(), DataSetState::Insert);
    groups.fieldByName("FdGrp_Cd").setAsInteger(9901);
    groups.post();
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FD_GROUP.db")"), 26);
}

TEST_F(Navigation, MissingTablesAndFieldsAreNamed)
{
    Table missing(db, "tblX", "FD_GROUP.db");
    db.sqlite().execute(R"(ALTER TABLE "FD_GROUP.db" RENAME TO "gone")");
    try {
        missing.open();
        FAIL() << "no error";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "Table does not exist: FD_GROUP.db");
    }
    EXPECT_FALSE(missing.active());
    EXPECT_THROW(Table(db, "tblY", "NOSUCH.db"), ProgramError);
    try {
        groups.fieldByName("Nope");
        FAIL() << "no error";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "Field 'Nope' not found in tblFoodGroups");
    }
}

TEST_F(Navigation, MissingDataFolderIsAnError)
{
    EXPECT_THROW(Database("sv RecipeDatabase", "no-such-folder"), ProgramError);
}

TEST_F(Navigation, QueryParametersCarryUserTextUntouched)
{
    db.sqlite().execute(R"(INSERT INTO "FOOD_DES.db" (NDB_No, FdGrp_Cd, "Desc") VALUES (99001, 100, 'Crème fraîche, 100% cream'))");
    db.sqlite().execute(R"(INSERT INTO "FOOD_DES.db" (NDB_No, FdGrp_Cd, "Desc") VALUES (99002, 100, 'Grandma''s cookies'))");
    const std::int64_t foods = dir.stored().count(R"(SELECT count(*) FROM "FOOD_DES.db")");
    Query query(db, "qrySearchFoods");
    query.addSql("SELECT NDB_No, Food_des.\"Desc\"");
    query.addSql("FROM \"FOOD_DES.db\" Food_des");
    query.addSql("WHERE Food_des.\"Desc\" LIKE :keyword");
    auto search = [&](const std::string& pattern) {
        query.close();
        query.setParam(":keyword", Value(pattern));
        query.open();
        return query.recordCount();
    };
    EXPECT_EQ(search("%'s%"), 1);
    EXPECT_EQ(query.fieldByName("NDB_No").asInteger(), 99002);
    EXPECT_EQ(search("%crème%"), 1);
    EXPECT_EQ(search("%100%%"), 1);
    EXPECT_EQ(search("x'; DROP TABLE \"FOOD_DES.db\"; --"), 0);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FOOD_DES.db")"), foods);
    EXPECT_THROW(query.edit(), ProgramError);
}

TEST_F(Navigation, AQueryThatFailsToOpenStaysClosed)
{
    Query query(db, "qryBroken");
    query.addSql("SELECT nothing FROM nowhere");
    EXPECT_THROW(query.open(), ProgramError);
    EXPECT_FALSE(query.active());
    EXPECT_EQ(query.recordCount(), 0);
    EXPECT_TRUE(query.eof());
}

} // namespace
