#include "tests/app/AppTestSupport.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeCuisineEdit.h"
#include "recipes/RecipeCuisines.h"
#include "recipes/RecipeTypeEdit.h"
#include "recipes/RecipeTypes.h"
#include "ui/DataControls.h"
#include "ui/ErrorGuard.h"
#include "ui/GraphicButton.h"
#include "ui/UiTestSupport.h"

#include <QTest>

namespace {

// What tells the type side from the cuisine side, for tests that hold for both.
struct Side {
    const char* name;
    TRecipeListDialog* (*list)();
    TNameDialog* (*editor)();
    RecordSet* (*set)();
    const char* field;
    const char* table;
    const char* used;   // named by a stored recipe
    const char* unused; // named by none
    const char* refusal;
};

const Side kTypes{"Types",
                  []() -> TRecipeListDialog* { return DialogRecipeTypes; },
                  []() -> TNameDialog* { return DialogRecipeTypeEdit; },
                  []() -> RecordSet* { return &DataModuleRecipes->tblRecipeTypes2; },
                  "Recipe Type",
                  "Recipe_Types.DB",
                  "Dinner",
                  "Lunch",
                  "Can't Delete a type with recipe items in it...\n Delete Recipe(s) First!!"};
const Side kCuisines{"Cuisines",
                     []() -> TRecipeListDialog* { return DialogRecipeCuisines; },
                     []() -> TNameDialog* { return DialogRecipeCuisineEdit; },
                     []() -> RecordSet* { return &DataModuleRecipes->tblRecipeCuisine2; },
                     "Cuisine",
                     "Recipe_Cuisine.DB",
                     "American",
                     "Chinese",
                     "Can't Delete a Cuisine with recipe items in it...\n Delete Recipe(s) First!!"};

void PrintTo(const Side& side, std::ostream* out)
{
    *out << side.name;
}

class RecipeListDialogs : public ProgramTest {
protected:
    ScriptedDialogs dialogs;

    struct Name {
        const char* typed;
        bool ok = true;
    };

    // Opens the side's list as the Recipes page does: OK stores, anything else drops.
    int openList(const Side& side, const std::function<void()>& user, std::vector<Name> names = {})
    {
        dialogs.expect([&](TFormTemplateDialog&) { user(); });
        for (const Name& name : names)
            dialogs.expect([name, &side](TFormTemplateDialog&) {
                side.editor()->DBEdit1->selectAll();
                QTest::keyClicks(side.editor()->DBEdit1, name.typed);
                ui_test::click(name.ok ? side.editor()->BtnOk : side.editor()->BtnCancel);
            });
        const int result = side.list()->ShowModal();
        guarded([&] {
            if (result == mrOk) {
                side.set()->applyUpdates();
                side.set()->commitUpdates();
            } else {
                side.set()->cancelUpdates();
            }
        });
        return result;
    }

    std::vector<std::string> stored(const char* table)
    {
        return dir.stored().rows(std::string("SELECT * FROM \"") + table + "\" ORDER BY 1");
    }

    static bool locate(const Side& side, const char* name)
    {
        return side.set()->locate(side.field, Value(std::string(name)));
    }
};

class BothSides : public RecipeListDialogs, public ::testing::WithParamInterface<Side> {};

TEST_P(BothSides, CreateRenameAndDeleteThenCancelLeavesTheTablesAsTheyWere)
{
    const Side& side = GetParam();
    const auto items = stored(side.table);
    const auto links = stored("Recipe_DesAndTypes.DB");
    const auto recipes = stored("Recipe_Des.DB");
    messages.answer(true);
    const int result = openList(
        side,
        [&] {
            ui_test::click(side.list()->BtnCreate);
            ASSERT_TRUE(locate(side, side.used));
            ui_test::click(side.list()->BtnEdit);
            ASSERT_TRUE(locate(side, side.unused));
            ui_test::click(side.list()->BtnDelete);
            EXPECT_FALSE(locate(side, side.unused));
            QTest::keyClick(side.list()->DBGrid1, Qt::Key_Escape);
        },
        {{"Brand New"}, {"Renamed"}});
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(stored(side.table), items);
    EXPECT_EQ(stored("Recipe_DesAndTypes.DB"), links);
    EXPECT_EQ(stored("Recipe_Des.DB"), recipes);
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_P(BothSides, AnItemInUseIsRefusedAndAnUnusedOneGoesOnYesAndStaysOnNo)
{
    const Side& side = GetParam();
    const std::string count = std::string("SELECT COUNT(*) FROM \"") + side.table + "\" WHERE \"" + side.field + "\" = ";
    messages.answer(false);
    messages.answer(true);
    openList(side, [&] {
        ASSERT_TRUE(locate(side, side.used));
        ui_test::click(side.list()->BtnDelete);
        ASSERT_TRUE(locate(side, side.unused));
        ui_test::click(side.list()->BtnDelete); // No
        EXPECT_TRUE(locate(side, side.unused));
        ui_test::click(side.list()->BtnDelete); // Yes
        ui_test::click(side.list()->BtnOk);
    });
    const std::string question = std::string("Are you sure you want to delete [ ") + side.unused + " ]";
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{side.refusal, question, question}));
    EXPECT_EQ(dir.stored().count(count + "'" + side.used + "'"), 1);
    EXPECT_EQ(dir.stored().count(count + "'" + side.unused + "'"), 0);
}

TEST_P(BothSides, EditOnAnEmptyListCreatesANumberedRowWithoutAnErrorBox)
{
    const Side& side = GetParam();
    dir.stored().execute(R"(DELETE FROM "Recipe_DesAndTypes.DB")");
    dir.stored().execute(R"(UPDATE "Recipe_Des.DB" SET Cuisine_ID = NULL)");
    dir.stored().execute(std::string("DELETE FROM \"") + side.table + "\"");
    DestroyApplicationObjects();
    CreateApplicationObjects();
    openList(
        side,
        [&] {
            ui_test::click(side.list()->BtnEdit);
            ui_test::click(side.list()->BtnOk);
        },
        {{"First"}});
    EXPECT_TRUE(messages.messages().empty());
    // Types take the next number, 1 for an empty table; cuisines the table's own.
    const auto rows = stored(side.table);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].ends_with("|First"));
    EXPECT_FALSE(rows[0].starts_with("NULL"));
    if (std::string(side.name) == "Types") {
        EXPECT_EQ(rows[0], "1|First");
    }
}

INSTANTIATE_TEST_SUITE_P(RecipeTypesAndCuisines, BothSides, ::testing::Values(kTypes, kCuisines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecipeListDialogs, EachSideShowsItsOwnTitlesHintsAndNameLength)
{
    EXPECT_EQ(DialogRecipeTypes->DBGrid1->Model()->rowCount(), 12);
    EXPECT_EQ(DialogRecipeTypes->DBGrid1->Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Recipe Type"));
    EXPECT_EQ(DialogRecipeTypes->BtnCreate->Hint(), QStringLiteral("Create New Recipe Type"));
    EXPECT_EQ(DialogRecipeTypes->BtnEdit->Hint(), QStringLiteral("Edit Selected Type"));
    EXPECT_EQ(DialogRecipeTypes->BtnDelete->Hint(), QStringLiteral("Delete Select Type"));
    EXPECT_EQ(DialogRecipeTypeEdit->Label1->text(), QStringLiteral("Recipe Type:"));
    EXPECT_EQ(DialogRecipeTypeEdit->DBEdit1->maxLength(), 60);

    EXPECT_EQ(DialogRecipeCuisines->DBGrid1->Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Cuisine"));
    EXPECT_EQ(DialogRecipeCuisines->BtnCreate->Hint(), QStringLiteral("Create New Cuisine"));
    EXPECT_EQ(DialogRecipeCuisines->BtnEdit->Hint(), QStringLiteral("Edit Selected Cuisine"));
    EXPECT_EQ(DialogRecipeCuisines->BtnDelete->Hint(), QStringLiteral("Delete Select Cuisine"));
    EXPECT_EQ(DialogRecipeCuisineEdit->Label1->text(), QStringLiteral("Cuisine:"));
    EXPECT_EQ(DialogRecipeCuisineEdit->DBEdit1->maxLength(), 50);
}

TEST_F(RecipeListDialogs, TwoTypesCreatedInOneVisitGetTheNextTwoIds)
{
    const std::int64_t highest = dir.stored().count(R"(SELECT MAX(RTYPE_ID) FROM "Recipe_Types.DB")");
    openList(
        kTypes,
        [] {
            ui_test::click(DialogRecipeTypes->BtnCreate);
            ui_test::click(DialogRecipeTypes->BtnCreate);
            ui_test::click(DialogRecipeTypes->BtnOk);
        },
        {{"Picnic"}, {"Brunch"}});
    const auto rows = dir.stored().rows(R"(SELECT * FROM "Recipe_Types.DB" WHERE RTYPE_ID > )" + std::to_string(highest)
                                        + " ORDER BY RTYPE_ID");
    EXPECT_EQ(rows, (std::vector<std::string>{std::to_string(highest + 1) + "|Picnic",
                                              std::to_string(highest + 2) + "|Brunch"}));
}

TEST_F(RecipeListDialogs, ARenamedTypeKeepsItsRecipes)
{
    const std::int64_t dinner = dir.stored().count(R"(SELECT RTYPE_ID FROM "Recipe_Types.DB" WHERE "Recipe Type" = 'Dinner')");
    const auto links = stored("Recipe_DesAndTypes.DB");
    openList(
        kTypes,
        [] {
            ASSERT_TRUE(locate(kTypes, "Dinner"));
            ui_test::click(DialogRecipeTypes->BtnEdit);
            ui_test::click(DialogRecipeTypes->BtnOk);
        },
        {{"Supper"}});
    EXPECT_EQ(dir.stored().count(R"(SELECT RTYPE_ID FROM "Recipe_Types.DB" WHERE "Recipe Type" = 'Supper')"), dinner);
    EXPECT_EQ(stored("Recipe_DesAndTypes.DB"), links);
    DataModuleRecipes->ShowRecipesByType("Supper");
    EXPECT_EQ(DataModuleRecipes->dscDisplayRecipes.dataSet()->recordCount(), 1);
}

} // namespace
