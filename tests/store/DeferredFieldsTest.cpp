#include "tests/store/StoreTestSupport.h"
#include "store/Query.h"
#include "store/Table.h"

#include <string>
#include <vector>

namespace {

// Recipe lists read their procedures only for the recipe asked for: what they show
// must still be what is stored, and a row edited through them keeps every text.
class DeferredFields : public ::testing::Test {
protected:
    TestWorkingDirectory dir;
    Database db{"sv RecipeDatabase", "data"};

    std::vector<std::string> storedProcedures()
    {
        return dir.stored().rows(R"(SELECT Procedures FROM "Recipe_Des.DB" ORDER BY rowid)");
    }
};

TEST_F(DeferredFields, ShowWhatIsStoredAndAnEditKeepsThem)
{
    dir.stored().execute(R"(UPDATE "Recipe_Des.DB" SET "Web Page Link" = 'https://example.org/' || R_ID)");
    Table recipes(db, "tblRecipes", "Recipe_Des.DB");
    recipes.setDeferredFields({"Procedures", "Web Page Link"});
    recipes.open();
    Query found(db, "qryRecipes");
    found.setDeferredFields({"Procedures"});
    found.setDeferredSource("Recipe_Des.DB", "R_ID");
    found.addSql(R"(SELECT R_ID, "Recipe Name", NULL AS Procedures FROM "Recipe_Des.DB" ORDER BY "Recipe Name" DESC)");
    found.open();

    const auto stored = storedProcedures();
    const auto links = dir.stored().rows(R"(SELECT "Web Page Link" FROM "Recipe_Des.DB" ORDER BY rowid)");
    ASSERT_EQ(recipes.recordCount(), static_cast<int>(stored.size()));
    const Field& procedures = recipes.fieldByName("Procedures");
    for (int row = static_cast<int>(stored.size()) - 1; row >= 0; --row)
        EXPECT_EQ(procedures.textOf(recipes.valueAt(row, procedures)), stored[static_cast<std::size_t>(row)]);
    recipes.last();
    EXPECT_EQ(recipes.fieldByName("Procedures").asString(), stored.back());
    found.first();
    EXPECT_EQ(found.fieldByName("Procedures").asString(),
              dir.stored().rows(R"(SELECT Procedures FROM "Recipe_Des.DB" ORDER BY "Recipe Name" DESC)").front());
    EXPECT_EQ(found.fieldByName("Procedures").dataType(), FieldType::Memo);

    // An edit of another field writes the row back with the texts it never showed.
    recipes.first();
    recipes.edit();
    recipes.fieldByName("Author").setAsString("Someone else");
    recipes.post();
    EXPECT_EQ(storedProcedures(), stored);
    EXPECT_EQ(dir.stored().rows(R"(SELECT "Web Page Link" FROM "Recipe_Des.DB" ORDER BY rowid)"), links);
    recipes.refresh();
    EXPECT_EQ(recipes.fieldByName("Procedures").asString(), stored.front());
}

} // namespace
