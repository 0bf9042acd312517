#include "store/ProgramError.h"
#include "store/Query.h"
#include "store/Table.h"

#include <cmath>
#include "tests/store/StoreTestSupport.h"

// Controls hold on to a set's fields; a query that reopens with its columns in
// another order must keep those fields valid and reading the right column.
TEST_F(StoreTest, FieldsSurviveAStatementThatListsTheColumnsInAnotherOrder)
{
    Query query(db, "qrySearchFoods");
    query.setFields({FieldSpec::data("NDB_No"), FieldSpec::data("Desc")});
    query.addSql("SELECT NDB_No, \"Desc\" FROM \"FOOD_DES.db\" WHERE NDB_No = 1001");
    query.open();
    const Field& desc = query.fieldByName("Desc");

    query.close();
    query.clearSql();
    query.addSql("SELECT \"Desc\", FdGrp_Cd, NDB_No FROM \"FOOD_DES.db\" WHERE NDB_No = 1004");
    query.open();
    EXPECT_EQ(&query.fieldByName("Desc"), &desc);
    EXPECT_EQ(desc.asString(), "Cheese, blue");
    EXPECT_EQ(query.fieldByName("NDB_No").asInteger(), 1004);
}

// Whatever computed it, an infinite or undefined number never reaches a number field.
TEST_F(StoreTest, ANumberFieldRefusesInfiniteAndUndefinedValues)
{
    Table weights(db, "tblWeight", "WEIGHT.db");
    weights.open();
    weights.edit();
    Field& grams = weights.fieldByName("Gm_Wgt");
    const double before = grams.asFloat();
    for (double refused : {HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        EXPECT_THROW(grams.setAsFloat(refused), ProgramError);
        EXPECT_DOUBLE_EQ(grams.asFloat(), before);
    }
    EXPECT_THROW(grams.setAsString("1e400"), ProgramError);
    weights.cancel();
}
