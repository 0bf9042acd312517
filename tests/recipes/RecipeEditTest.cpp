#include "tests/recipes/RecipeTestSupport.h"

#include "store/ProgramError.h"

using RecipeEdit = RecipeModuleTest;

namespace {

constexpr const char* kRecipeCount = R"(SELECT COUNT(*) FROM "Recipe_Des.DB")";

} // namespace

TEST_F(RecipeEdit, NewRecipeIsStoredWithEverythingTheDialogAdded)
{
    module->BeginNewRecipe();
    EXPECT_EQ(module->tblRecipeDescEdit.fieldByName("R_ID").asInteger(), 4);
    module->tblRecipeDescEdit.fieldByName("Recipe Name").setAsString("Omelette");
    module->tblRecipeDescEdit.fieldByName("Cuisine_ID").setAsFloat(3);
    addIngredient("Egg", 1123, 100);
    addIngredient("Salt", std::nullopt, std::nullopt);
    addTypeLink(1);
    addNutrient(203, 12.5);
    module->PostNewRecipe();

    EXPECT_EQ(rows(R"(SELECT "Recipe Name", Cuisine_ID FROM "Recipe_Des.DB" WHERE R_ID = 4)"),
              (std::vector<std::string>{"Omelette|3.0"}));
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "Rescipe_ingredients.DB" WHERE R_ID = 4)"), 2);
    EXPECT_EQ(rows(R"(SELECT RTYPE_ID FROM "Recipe_DesAndTypes.DB" WHERE R_ID = 4)"), (std::vector<std::string>{"1"}));
    EXPECT_EQ(rows(R"(SELECT Nutr_No, Nutr_Val FROM "Recipe_NUT_DATA.db" WHERE R_ID = 4)"),
              (std::vector<std::string>{"203|12.5"}));
    for (RecordSet* set : {static_cast<RecordSet*>(&module->tblRecipeDescEdit), static_cast<RecordSet*>(&module->tblRecipeIngredientEdit),
                           static_cast<RecordSet*>(&module->tblRecipeDescAndTypesEdit), static_cast<RecordSet*>(&module->tblRecipeNutrientDataEdit)})
        EXPECT_FALSE(set->updatesPending()) << set->name();

    // The display shows the stored result at once.
    EXPECT_EQ(module->tblDispalyRecipesAll.recordCount(), 4);
    module->tblDispalyRecipesAll.last();
    EXPECT_EQ(module->tblDispalyRecipesAll.fieldByName("Cuisine").asString(), "French");
    EXPECT_EQ(module->tblRecipeIngredients.recordCount(), 2);
    module->tblRecipeIngredients.last();
    EXPECT_EQ(module->tblRecipeIngredients.fieldByName("Linked").asString(), "NO");
}

TEST_F(RecipeEdit, FirstIdsOfEmptyTablesAreOne)
{
    restartWith(R"(DELETE FROM "Recipe_Des.DB"; DELETE FROM "Recipe_Types.DB"; DELETE FROM "Recipe_DesAndTypes.DB";)");
    EXPECT_EQ(module->NextRecipeId(), 1);
    EXPECT_EQ(module->NextRecipeTypeId(), 1);
    module->BeginNewRecipe();
    module->PostNewRecipe();
    EXPECT_EQ(rows(R"(SELECT R_ID FROM "Recipe_Des.DB")"), (std::vector<std::string>{"1"}));
    EXPECT_EQ(module->NextRecipeId(), 2);
}

TEST_F(RecipeEdit, TypesCreatedInOneDialogVisitGetDifferentIds)
{
    Table& types = module->tblRecipeTypes2;
    for (const char* name : {"Brunch", "Supper"}) {
        types.append();
        types.fieldByName("Recipe Type").setAsString(name);
        types.fieldByName("RTYPE_ID").setAsInteger(module->NextRecipeTypeId());
        types.post();
    }
    types.applyUpdates();
    types.commitUpdates();
    EXPECT_EQ(rows(R"(SELECT RTYPE_ID, "Recipe Type" FROM "Recipe_Types.DB" WHERE RTYPE_ID > 12 ORDER BY RTYPE_ID)"),
              (std::vector<std::string>{"13|Brunch", "14|Supper"}));
    EXPECT_EQ(module->NextRecipeTypeId(), 15);
}

TEST_F(RecipeEdit, CancellingANewRecipeLeavesNoRowBehind)
{
    const auto before = recipeTables();
    module->BeginNewRecipe();
    module->tblRecipeDescEdit.fieldByName("Recipe Name").setAsString("Abandoned");
    setServes(2);
    addIngredient("Butter", 1001, 30);
    addTypeLink(4);
    addTypeLink(9);
    module->CalculateRecipeNutrients();
    addNutrient(999, 1);
    module->CancelNewRecipe();

    EXPECT_EQ(recipeTables(), before);
    EXPECT_EQ(module->tblRecipeDescEdit.state(), DataSetState::Browse);
    EXPECT_FALSE(module->tblRecipeDescEdit.updatesPending());
    // A later recipe does not pick up anything of the abandoned one.
    module->BeginNewRecipe();
    EXPECT_EQ(module->tblRecipeIngredientEdit.recordCount(), 0);
    EXPECT_EQ(module->tblRecipeNutrientDataEdit.recordCount(), 0);
    module->PostNewRecipe();
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "Recipe_NUT_DATA.db" WHERE R_ID = 4)"), 0);
}

TEST_F(RecipeEdit, CancellingAnEditRestoresTheStoredRecipe)
{
    const auto before = recipeTables();
    module->tblDispalyRecipesAll.setRecNo(2);
    module->BeginEditRecipe();
    EXPECT_EQ(module->tblRecipeDescEdit.fieldByName("Recipe Name").asString(), "Garden Salad");
    EXPECT_EQ(module->tblRecipeIngredientEdit.recordCount(), 5);
    module->tblRecipeDescEdit.fieldByName("Recipe Name").setAsString("Changed");
    module->tblRecipeIngredientEdit.first();
    module->tblRecipeIngredientEdit.deleteRecord();
    addTypeLink(1);
    module->CalculateRecipeNutrients();
    module->CancelEditedRecipe();

    EXPECT_EQ(recipeTables(), before);
    EXPECT_EQ(module->tblRecipeIngredientEdit.recordCount(), 5);
    EXPECT_EQ(module->tblDispalyRecipesAll.fieldByName("Recipe Name").asString(), "Garden Salad");
}

TEST_F(RecipeEdit, EditedRecipeIsStoredAsOneUnit)
{
    module->BeginEditRecipe(); // recipe 1
    // The ingredient dialog shows the linked food and measure by name.
    EXPECT_EQ(module->tblRecipeIngredientEdit.fieldByName("NDB_Desc").asString(),
              rows(R"(SELECT "Desc" FROM "FOOD_DES.db" WHERE NDB_No = 20081)").at(0));
    EXPECT_EQ(module->tblRecipeIngredientEdit.fieldByName("NDB_Unit").asString(),
              rows(R"(SELECT w.Msre_Desc FROM "WEIGHT.db" w JOIN "Rescipe_ingredients.DB" i ON w.Weight_ID = i.NDB_Weight_ID
                      WHERE i.R_ID = 1 AND i.NDB_No = 20081)").at(0));
    module->tblRecipeDescEdit.fieldByName("Recipe Name").setAsString("Fluffy Pancakes");
    module->tblRecipeDescAndTypesEdit.first();
    module->tblRecipeDescAndTypesEdit.deleteRecord(); // no longer Breakfast
    module->PostEditedRecipe();

    EXPECT_EQ(rows(R"(SELECT "Recipe Name" FROM "Recipe_Des.DB" WHERE R_ID = 1)"),
              (std::vector<std::string>{"Fluffy Pancakes"}));
    EXPECT_EQ(rows(R"(SELECT RTYPE_ID FROM "Recipe_DesAndTypes.DB" WHERE R_ID = 1)"), (std::vector<std::string>{"9"}));
    EXPECT_EQ(module->tblDispalyRecipesAll.fieldByName("Recipe Name").asString(), "Fluffy Pancakes");
    EXPECT_EQ(module->tblRecipeDescAndTypes3.recordCount(), 1);
}

TEST_F(RecipeEdit, ApplyFailingHalfWayStoresNothingAndKeepsTheEdits)
{
    const auto before = recipeTables();
    module->BeginEditRecipe(); // recipe 1
    module->tblRecipeDescEdit.fieldByName("Recipe Name").setAsString("Half stored?");
    addIngredient("Carrots", 11124, 60);
    addTypeLink(2);
    module->CalculateRecipeNutrients();
    // The recipe row and the ingredients are written before the type links fail.
    module->DatabaseRecipe.failNextWriteTo("Recipe_DesAndTypes.DB", "Table is busy");
    EXPECT_THROW(module->PostEditedRecipe(), ProgramError);

    EXPECT_EQ(recipeTables(), before);
    EXPECT_TRUE(module->tblRecipeDescEdit.updatesPending());
    EXPECT_TRUE(module->tblRecipeIngredientEdit.updatesPending());
    EXPECT_TRUE(module->tblRecipeDescAndTypesEdit.updatesPending());
    EXPECT_TRUE(module->tblRecipeNutrientDataEdit.updatesPending());
    EXPECT_EQ(module->tblDispalyRecipesAll.fieldByName("Recipe Name").asString(), "Classic Pancakes");

    // Nothing was lost: applying again stores the whole recipe.
    module->ApplyRecipeEdits();
    EXPECT_EQ(rows(R"(SELECT "Recipe Name" FROM "Recipe_Des.DB" WHERE R_ID = 1)"),
              (std::vector<std::string>{"Half stored?"}));
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "Rescipe_ingredients.DB" WHERE R_ID = 1)"), 6);
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "Recipe_DesAndTypes.DB" WHERE R_ID = 1)"), 3);
}

TEST_F(RecipeEdit, RecipeJustLinkedToTheTypeOnShowAppearsAtOnce)
{
    module->ShowRecipesByType("Lunch");
    ASSERT_EQ(module->tblDisplayRecipesByTypes.recordCount(), 0);

    module->BeginNewRecipe();
    module->tblRecipeDescEdit.fieldByName("Recipe Name").setAsString("Club Sandwich");
    addTypeLink(2); // Lunch
    module->PostNewRecipe();
    EXPECT_EQ(module->tblDisplayRecipesByTypes.filter(), "R_ID = 4");
    ASSERT_EQ(module->tblDisplayRecipesByTypes.recordCount(), 1);
    EXPECT_EQ(module->tblDisplayRecipesByTypes.fieldByName("Recipe Name").asString(), "Club Sandwich");

    // And an existing recipe unlinked from it leaves at once.
    module->BeginEditRecipe();
    module->tblRecipeDescAndTypesEdit.first();
    module->tblRecipeDescAndTypesEdit.deleteRecord();
    module->PostEditedRecipe();
    EXPECT_EQ(module->tblDisplayRecipesByTypes.recordCount(), 0);
}

TEST_F(RecipeEdit, DeletingARecipeRemovesAllItsRowsAfterYes)
{
    const auto ingredientsOfOthers = rows(R"(SELECT * FROM "Rescipe_ingredients.DB" WHERE R_ID <> 1)");
    const auto nutrientsOfOthers = rows(R"(SELECT * FROM "Recipe_NUT_DATA.db" WHERE R_ID <> 1)");
    messages.answer(true);
    module->DeleteDisplayedRecipe();

    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Confirm);
    EXPECT_EQ(messages.messages()[0].text, "Are you sure you want to delete [Classic Pancakes]");
    for (const char* table : {"Recipe_Des.DB", "Rescipe_ingredients.DB", "Recipe_DesAndTypes.DB", "Recipe_NUT_DATA.db"})
        EXPECT_EQ(count(std::string("SELECT COUNT(*) FROM \"") + table + "\" WHERE R_ID = 1"), 0) << table;
    EXPECT_EQ(rows(R"(SELECT * FROM "Rescipe_ingredients.DB" WHERE R_ID <> 1)"), ingredientsOfOthers);
    EXPECT_EQ(rows(R"(SELECT * FROM "Recipe_NUT_DATA.db" WHERE R_ID <> 1)"), nutrientsOfOthers);
    EXPECT_EQ(module->tblDispalyRecipesAll.recordCount(), 2);
    EXPECT_EQ(module->tblDispalyRecipesAll.fieldByName("R_ID").asInteger(), 2);
    EXPECT_EQ(module->tblRecipeIngredients.fieldByName("R_ID").asInteger(), 2);
}

TEST_F(RecipeEdit, DeletingARecipeStoresNothingAfterNo)
{
    const auto before = recipeTables();
    module->ShowRecipesByType("Salad");
    messages.answer(false);
    module->DeleteDisplayedRecipe();
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Are you sure you want to delete [Garden Salad]"}));
    EXPECT_EQ(recipeTables(), before);
    EXPECT_EQ(module->tblDisplayRecipesByTypes.recordCount(), 1);
}

TEST_F(RecipeEdit, DeleteWithAnEmptyListAsksNothing)
{
    const auto before = recipeTables();
    module->ShowRecipesByType("Lunch");
    messages.answer(true);
    module->DeleteDisplayedRecipe();
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(recipeTables(), before);
}

TEST_F(RecipeEdit, DeleteFailingHalfWayRemovesNothing)
{
    const auto before = recipeTables();
    const auto nutrientRows = count(R"(SELECT COUNT(*) FROM "Recipe_NUT_DATA.db" WHERE R_ID = 1)");
    messages.answer(true);
    module->DatabaseRecipe.failNextWriteTo("Recipe_NUT_DATA.db", "Table is locked");
    EXPECT_THROW(module->DeleteDisplayedRecipe(), ProgramError);
    EXPECT_EQ(recipeTables(), before);
    // Nothing of the failed delete waits to be stored by the next recipe.
    module->BeginNewRecipe();
    module->PostNewRecipe();
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "Recipe_NUT_DATA.db" WHERE R_ID = 1)"), nutrientRows);
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "Rescipe_ingredients.DB" WHERE R_ID = 1)"), 5);
    EXPECT_EQ(count(kRecipeCount), 4);
}

TEST_F(RecipeEdit, TypesAndCuisinesInUseCannotBeDeleted)
{
    // Breakfast (the first type) and American (the first cuisine) are used by recipe 1.
    module->DeleteRecipeType();
    module->DeleteCuisine();
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"Can't Delete a type with recipe items in it...\n Delete Recipe(s) First!!",
                                        "Can't Delete a Cuisine with recipe items in it...\n Delete Recipe(s) First!!"}));
    EXPECT_FALSE(module->tblRecipeTypes2.updatesPending());
    EXPECT_FALSE(module->tblRecipeCuisine2.updatesPending());
}

TEST_F(RecipeEdit, UnusedTypesAndCuisinesAreDeletedAfterConfirmation)
{
    module->tblRecipeTypes2.locate("Recipe Type", "Lunch");
    module->DeleteRecipeType(); // unanswered: No
    EXPECT_FALSE(module->tblRecipeTypes2.updatesPending());
    messages.answer(true);
    module->DeleteRecipeType();
    module->tblRecipeCuisine2.locate("Cuisine", "Thai");
    messages.answer(true);
    module->DeleteCuisine();

    const auto& shown = messages.messages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(shown[0].text, "Are you sure you want to delete [ Lunch ]");
    EXPECT_EQ(shown[2].text, "Are you sure you want to delete [ Thai ]");
    EXPECT_EQ(module->tblRecipeTypes2.recordCount(), 11);
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "Recipe_Types.DB")"), 12); // pending until the dialog's caller applies
    module->tblRecipeTypes2.applyUpdates();
    module->tblRecipeCuisine2.applyUpdates();
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "Recipe_Types.DB" WHERE "Recipe Type" = 'Lunch')"), 0);
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "Recipe_Cuisine.DB" WHERE Cuisine = 'Thai')"), 0);
}
