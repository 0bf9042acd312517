#include "Database.h"
#include "DataSource.h"
#include "Query.h"
#include "Table.h"
#include "TestDataFolder.h"

#include <gtest/gtest.h>

TEST(Smoke, FoodGroupsAndTheirFoods)
{
    TestWorkingDirectory dir;
    Database db("sv FoodDatabase", "data");
    Table groups(db, "tblFoodGroups", "FD_GROUP.db");
    DataSource dscGroups("dscFoodGroups", &groups);
    Table foods(db, "tblFoodDesc", "FOOD_DES.db", "FdGrp_Index");
    foods.setMaster(dscGroups, "FdGrp_Cd");
    groups.open();
    foods.open();
    EXPECT_EQ(groups.recordCount(), 25);
    EXPECT_EQ(groups.fieldByName("FdGrp_Desc").asString(), "Dairy and Egg Products");
    EXPECT_GT(foods.recordCount(), 5);
    EXPECT_EQ(foods.fieldByName("NDB_No").asInteger(), 1001);
    groups.next();
    EXPECT_EQ(foods.fieldByName("FdGrp_Cd").asInteger(), 200);
}
