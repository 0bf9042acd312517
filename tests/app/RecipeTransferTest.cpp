#include "tests/app/AppTestSupport.h"
#include "app/MainForm.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/ExportRecipes.h"
#include "recipes/RecipeEdit.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <fstream>

// Recipes in and out through the Recipes page: a file or the clipboard read into
// the wizard for review, and recipes written to JSON-LD that the import reads back.
namespace {

const std::string kLongAuthor(100, 'A');

// A saved page: a cuisine and a type the data folder does not have, a line the
// linker is sure of and one it cannot link, and an author too long for its field.
const std::string kPage = R"(<html><head><title>Atlantis Toast | Test Kitchen</title>
<script type="application/ld+json">{"@context": "https://schema.org", "@type": "Recipe",
 "name": "Atlantis Toast", "recipeYield": "2 servings", "prepTime": "PT10M", "cookTime": "PT5M",
 "recipeCuisine": "Atlantean", "recipeCategory": ["Brunch"],
 "author": {"@type": "Person", "name": ")" + kLongAuthor + R"("},
 "recipeIngredient": ["2 tbsp butter", "1 pinch of stardust"],
 "recipeInstructions": [{"@type": "HowToStep", "text": "Toast the bread."}, {"@type": "HowToStep", "text": "Butter it."}]}
</script></head><body><p>Atlantis Toast</p></body></html>)";

QString cell(TDBGrid* grid, int row, int column)
{
    return grid->model()->data(grid->model()->index(row, column), Qt::DisplayRole).toString();
}

class RecipeTransfer : public ProgramTest {
protected:
    ScriptedDialogs dialogs;
    QString openAnswer;
    QString saveAnswer;
    QString saveSuggested;

    void SetUp() override
    {
        ProgramTest::SetUp();
        FormMain->show();
        previousOpen_ = RecipeFileDialogs::OpenHook;
        previousSave_ = RecipeFileDialogs::SaveHook;
        RecipeFileDialogs::OpenHook = [this](QWidget*) { return openAnswer; };
        RecipeFileDialogs::SaveHook = [this](QWidget*, const QString& suggested) {
            saveSuggested = suggested;
            return saveAnswer;
        };
    }

    void TearDown() override
    {
        RecipeFileDialogs::OpenHook = previousOpen_;
        RecipeFileDialogs::SaveHook = previousSave_;
        ProgramTest::TearDown();
    }

    QString writeFile(const std::string& name, const std::string& content)
    {
        const auto path = dir.path() / name;
        std::ofstream(path, std::ios::binary) << content;
        return QString::fromStdString(path.string());
    }

    std::int64_t count(const std::string& sql) { return dir.stored().count(sql); }
    std::vector<std::string> rows(const std::string& sql) { return dir.stored().rows(sql); }
    std::int64_t highestRecipe() { return count(R"(SELECT MAX(R_ID) FROM "Recipe_Des.DB")"); }
    std::int64_t allRows()
    {
        return count(R"(SELECT (SELECT count(*) FROM "Recipe_Des.DB") + (SELECT count(*) FROM "Rescipe_ingredients.DB")
                        + (SELECT count(*) FROM "Recipe_DesAndTypes.DB") + (SELECT count(*) FROM "Recipe_NUT_DATA.db")
                        + (SELECT count(*) FROM "Recipe_Cuisine.DB") + (SELECT count(*) FROM "Recipe_Types.DB")
                        + (SELECT count(*) FROM "Ingredient_Line.db"))");
    }
    // A recipe's lines, links and totals, as an export must carry them.
    std::vector<std::string> linksAndTotals(std::int64_t recipe)
    {
        const std::string id = std::to_string(recipe);
        auto all = rows(R"(SELECT "Ingredient Name", Quantity, Unit, l.Line, NDB_No, NDB_ByGram, NDB_Quantity,)"
                        R"( CASE WHEN NDB_ByGram THEN '' ELSE NDB_Weight_ID END, WeightInGram)"
                        R"( FROM "Rescipe_ingredients.DB" i LEFT JOIN "Ingredient_Line.db" l USING (R_ING_ID))"
                        R"( WHERE R_ID = )" + id + " ORDER BY R_ING_ID");
        for (auto& total : rows(R"(SELECT Nutr_No, printf('%.9g', Nutr_Val) FROM "Recipe_NUT_DATA.db" WHERE R_ID = )" + id
                                + " ORDER BY Nutr_No"))
            all.push_back(total);
        return all;
    }

private:
    std::function<QString(QWidget*)> previousOpen_;
    std::function<QString(QWidget*, const QString&)> previousSave_;
};

TEST_F(RecipeTransfer, ASavedPageIsReviewedInTheWizardCancelStoresNothingAndOkStoresItAll)
{
    openAnswer = writeFile("toast.html", kPage);
    const std::int64_t before = allRows();
    const auto import = [&](bool ok) {
        dialogs.expect([&, ok](TFormTemplateDialog&) {
            const QString note = DialogRecipeEdit->LabelImportNote->text();
            EXPECT_TRUE(DialogRecipeEdit->LabelImportNote->isVisibleTo(DialogRecipeEdit));
            EXPECT_TRUE(note.contains("1 of 2 ingredient lines are linked to foods.")) << note.toStdString();
            EXPECT_TRUE(note.contains("Cut to their fields' size: Author.")) << note.toStdString();
            EXPECT_TRUE(note.contains("The cuisine \"Atlantean\" is new")) << note.toStdString();
            EXPECT_EQ(DialogRecipeEdit->DBEditName->text(), "Atlantis Toast");
            EXPECT_EQ(DialogRecipeEdit->DBEditServes->text(), "2");
            TDBGrid* lines = DialogRecipeEdit->DBGridRIngredientList;
            EXPECT_EQ(lines->model()->rowCount(), 2);
            EXPECT_EQ(cell(lines, 0, 0), "YES");
            EXPECT_EQ(cell(lines, 1, 0), "NO");
            EXPECT_GT(DataModuleRecipes->tblRecipeNutrientDataEdit.recordCount(), 0); // totals from the linked line
            ui_test::click(ok ? DialogRecipeEdit->BtnOk : DialogRecipeEdit->BtnCancel);
        });
        ui_test::click(FormMain->BtnImportRecipe);
    };

    import(false);
    EXPECT_EQ(allRows(), before); // no recipe, line, cuisine or type
    EXPECT_TRUE(DialogRecipeEdit->LabelImportNote->text().isEmpty());

    import(true);
    const std::int64_t recipe = highestRecipe();
    EXPECT_EQ(rows(R"(SELECT r."Recipe Name", r."Number of Serves", r."Preperation Time", r."Cooking Time", c.Cuisine,)"
                   R"( length(r.Author) FROM "Recipe_Des.DB" r JOIN "Recipe_Cuisine.DB" c ON c.Cuisine_ID = r.Cuisine_ID)"
                   R"( WHERE r.R_ID = )" + std::to_string(recipe)),
              std::vector<std::string>{"Atlantis Toast|2.0|10.0|5.0|Atlantean|80"});
    EXPECT_EQ(rows(R"(SELECT t."Recipe Type" FROM "Recipe_DesAndTypes.DB" d JOIN "Recipe_Types.DB" t)"
                   R"( ON t.RTYPE_ID = d.RTYPE_ID WHERE d.R_ID = )" + std::to_string(recipe)),
              std::vector<std::string>{"Brunch"});
    EXPECT_EQ(rows(R"(SELECT l.Line, i.NDB_No FROM "Rescipe_ingredients.DB" i JOIN "Ingredient_Line.db" l)"
                   R"( ON l.R_ING_ID = i.R_ING_ID WHERE i.R_ID = )" + std::to_string(recipe) + " ORDER BY i.R_ING_ID"),
              (std::vector<std::string>{"2 tbsp butter|1001", "1 pinch of stardust|NULL"}));
    // The energy total is the butter's alone, summed independently here.
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_NUT_DATA.db" t JOIN "NUT_DATA.db" n ON n.Nutr_No = t.Nutr_No)"
                    R"( AND n.NDB_No = 1001 WHERE t.Nutr_No = 208 AND abs(t.Nutr_Val - n.Nutr_Val * 28.4 / 100) < 1e-9)"
                    R"( AND t.R_ID = )" + std::to_string(recipe)),
              1);
    EXPECT_EQ(FormMain->LabelActiveDispalyRecipes->text(), "View All Recipe");
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(RecipeTransfer, AnExportedRecipeImportsBackWithTheSameLinesLinksAndTotals)
{
    RecordSet& shown = *DataModuleRecipes->dscDisplayRecipes.dataSet();
    ASSERT_GT(shown.recordCount(), 1);
    shown.first();
    const std::int64_t original = shown.fieldByName("R_ID").asInteger();
    const std::string name = shown.fieldByName("Recipe Name").asString();

    // A folder that does not exist: the error box says so and nothing is written.
    const std::string unwritable = (dir.path() / "no-such-folder" / "r.jsonld").string();
    saveAnswer = QString::fromStdString(unwritable);
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "DialogExportRecipes");
        auto& choice = static_cast<TDialogExportRecipes&>(dialog);
        EXPECT_TRUE(choice.RadioShown->isChecked()); // the list's recipes, by default
        ui_test::click(choice.BtnOk);
    });
    ui_test::click(FormMain->BtnExportRecipes);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_TRUE(messages.texts()[0].starts_with("The recipes were not exported: " + unwritable)) << messages.texts()[0];
    EXPECT_FALSE(std::filesystem::exists(unwritable));
    messages.clear();

    saveAnswer = QString::fromStdString((dir.path() / "exported").string());
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        auto& choice = static_cast<TDialogExportRecipes&>(dialog);
        choice.RadioSelected->click();
        ui_test::click(choice.BtnOk);
    });
    ui_test::click(FormMain->BtnExportRecipes);
    EXPECT_EQ(saveSuggested.toStdString(), name + ".jsonld");
    const QString file = saveAnswer + ".jsonld";
    ASSERT_EQ(messages.texts(), std::vector<std::string>{"1 recipe was exported to " + file.toStdString() + "."});

    openAnswer = file;
    dialogs.expect([&](TFormTemplateDialog&) {
        EXPECT_TRUE(DialogRecipeEdit->LabelImportNote->text().contains("ingredient lines are linked"));
        ui_test::click(DialogRecipeEdit->BtnOk);
    });
    ui_test::click(FormMain->BtnImportRecipe);
    const std::int64_t copy = highestRecipe();
    ASSERT_NE(copy, original);
    EXPECT_FALSE(linksAndTotals(original).empty());
    EXPECT_EQ(linksAndTotals(copy), linksAndTotals(original));
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(RecipeTransfer, PastedTextAndBadFilesSayWhatIsWrongAndSeveralRecipesComeOneAfterTheOther)
{
    const std::int64_t before = allRows();
    QApplication::clipboard()->clear();
    FormMain->DBGridRecipeList->setFocus();
    QTest::keyClick(FormMain->DBGridRecipeList, Qt::Key_V, Qt::ControlModifier);
    openAnswer = writeFile("empty.html", "<html><body><p>Nothing to cook here.</p></body></html>");
    ui_test::click(FormMain->BtnImportRecipe);
    ASSERT_EQ(messages.texts().size(), 2u);
    EXPECT_EQ(messages.texts()[0], "The clipboard holds no recipe text to import.");
    EXPECT_TRUE(messages.texts()[1].starts_with("No recipe found in ")) << messages.texts()[1];
    EXPECT_EQ(allRows(), before);
    messages.clear();

    QApplication::clipboard()->setText("Quick Butter Sauce\n\nIngredients\n2 tbsp butter\n1 pinch of stardust\n\n"
                                       "Method\nMelt the butter.\n");
    dialogs.expect([&](TFormTemplateDialog&) {
        EXPECT_EQ(DialogRecipeEdit->DBEditName->text(), "Quick Butter Sauce");
        EXPECT_EQ(DialogRecipeEdit->DBGridRIngredientList->model()->rowCount(), 2);
        ui_test::click(DialogRecipeEdit->BtnOk);
    });
    QTest::keyClick(FormMain->DBGridRecipeList, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rows(R"(SELECT "Recipe Name" FROM "Recipe_Des.DB" WHERE R_ID = )" + std::to_string(highestRecipe())),
              std::vector<std::string>{"Quick Butter Sauce"});

    // Two recipes in one file: the first dropped, the user goes on, the second stored.
    openAnswer = writeFile("two.jsonld", R"([{"@context": "https://schema.org", "@type": "Recipe", "name": "First",
        "recipeIngredient": ["2 tbsp butter"]}, {"@context": "https://schema.org", "@type": "Recipe", "name": "Second",
        "recipeIngredient": ["2 tbsp butter"]}])");
    messages.answer(true);
    dialogs.expect([&](TFormTemplateDialog&) {
        EXPECT_TRUE(DialogRecipeEdit->LabelImportNote->text().startsWith("Imported recipe 1 of 2"));
        ui_test::click(DialogRecipeEdit->BtnCancel);
    });
    dialogs.expect([&](TFormTemplateDialog&) {
        EXPECT_EQ(DialogRecipeEdit->DBEditName->text(), "Second");
        ui_test::click(DialogRecipeEdit->BtnOk);
    });
    ui_test::click(FormMain->BtnImportRecipe);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Go on with the next recipe of the 1 left to import?"});
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_Des.DB" WHERE "Recipe Name" IN ('First', 'Second'))"), 1);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_Des.DB" WHERE "Recipe Name" = 'Second')"), 1);
    EXPECT_TRUE(dialogs.allUsed());
}

} // namespace
