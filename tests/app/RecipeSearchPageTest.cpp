#include "tests/app/RecipesPageSupport.h"
#include "app/MainForm.h"
#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeSearchDialogs.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

// Beside the three starter recipes: accents, a curly apostrophe, '%' and '_', and
// recipes without totals (11 has no serves either).
constexpr const char* kMoreRecipes = R"(
    INSERT INTO "Recipe_Des.DB" (R_ID, "Recipe Name", Cuisine_ID, "Preperation Time", "Cooking Time",
                                 "Number of Serves", Procedures) VALUES
        (10, 'Crème Brûlée', 3, 20, 40, 6, 'Bake in a bain-marie; 50% of the cream_fat is enough.'),
        (11, 'Grandma’s Stew', 1, NULL, NULL, 0, 'Stew it.'),
        (12, 'Plain toast', NULL, 5, NULL, 1, 'Cook''s way: toast the bread.');)";

const char* const kStoredSearches = R"(SELECT s."SQL Name", r.Field, r.Condition, r.RValue, r.Kind, r.Keys
    FROM "RecipeSQL.db" s LEFT JOIN "RecipeSQLRules.db" r USING (SQL_ID) ORDER BY s.SQL_ID, r.Rule_ID)";

class RecipeSearchPage : public RecipesPageTest {
protected:
    ScriptedDialogs dialogs;

    void SetUp() override
    {
        dir.stored().execute(kMoreRecipes);
        RecipesPageTest::SetUp();
    }


    // The names an independent query selects, in the list's order.
    QStringList storedNames(const std::string& where) const
    {
        QStringList names;
        for (const std::string& name : dir.stored().rows(R"(SELECT "Recipe Name" FROM "Recipe_Des.DB" r WHERE )" + where
                                                         + R"( ORDER BY "Recipe Name" COLLATE NOCASE)"))
            names << QString::fromStdString(name);
        return names;
    }

    // A keyword put into the dialog's box (pasted: the test keyboard has no accents) and Enter pressed.
    void searchFor(const QString& keyword)
    {
        dialogs.expect([keyword](TFormTemplateDialog&) {
            DialogRecipeSimpleSearch->EditSearchSimple->setFocus();
            DialogRecipeSimpleSearch->EditSearchSimple->setText(keyword);
            QTest::keyClick(DialogRecipeSimpleSearch->EditSearchSimple, Qt::Key_Return);
        });
        clickNode(FormMain->NodeRecipeSimpleSearch, "New Search");
    }

    static TDialogRecipeAdvancedSearchEdit& editor() { return *DialogRecipeAdvancedSearchEdit; }
    static TDialogRecipeAdvancedSearch& list() { return *DialogRecipeAdvancedSearch; }

    static void addNumberRule(TDialogRecipeAdvancedSearchEdit::RuleKind kind, int box, const QString& number)
    {
        editor().SetRuleKind(kind);
        typeInto(editor().EditNumber.at(std::size_t(box)), number);
        QTest::mouseClick(editor().BtnAddRule, Qt::LeftButton);
    }

    static void addNutrientRule(std::int64_t nutrient, const QString& comparison, const QString& value)
    {
        editor().SetRuleKind(TDialogRecipeAdvancedSearchEdit::NutrientRule);
        RecordSet& nutrients = DataModuleFoods->tblNutrientDef;
        const Field& number = nutrients.fieldByName("Nutr_No");
        for (int row = 0; row < nutrients.recordCount(); ++row)
            if (nutrients.valueAt(row, number) == Value(nutrient))
                editor().DBGridNutrients->selectRow(row);
        editor().ComboBoxCondition[0]->setCurrentText(comparison);
        typeInto(editor().EditNumber[0], value);
        QTest::mouseClick(editor().BtnAddRule, Qt::LeftButton);
    }

    // The list of saved searches, with `script` run in it; it closes with OK or Cancel.
    void inList(bool ok, const std::function<void()>& script)
    {
        dialogs.expect([=](TFormTemplateDialog&) {
            script();
            QTest::mouseClick(ok ? list().BtnOk : list().BtnCancel, Qt::LeftButton);
        });
        clickNode(FormMain->NodeRecipeAdvancedSearch, "Edit Advanced Search");
    }

    // The rule editor opened by a button of the list.
    void inEditor(TGraphicButton* button, const std::function<void()>& script)
    {
        dialogs.expect([=](TFormTemplateDialog&) { script(); });
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

TEST_F(RecipeSearchPage, KeywordsSearchTextAsWrittenAndAreKeptOnceNewestFirst)
{
    searchFor("  crème  ");
    EXPECT_EQ(selected(), (QStringList{"Simple Search", "crème"}));
    EXPECT_EQ(label(), "Simple Search : crème");
    EXPECT_EQ(listed(), QStringList{"Crème Brûlée"});

    // Accents and case make no difference; '%' and '_' are themselves; curly and plain apostrophes agree.
    const std::pair<QString, QStringList> cases[] = {{"BRULEE", {"Crème Brûlée"}},
                                                     {"50%", {"Crème Brûlée"}},
                                                     {"25%", {"Classic Pancakes"}}, // 3.25% milkfat
                                                     {"m_f", {"Crème Brûlée"}},
                                                     {"grandma's", {"Grandma’s Stew"}},
                                                     {"cook’s", {"Plain toast"}},
                                                     {"olive oil", {"Chicken and Rice", "Garden Salad"}},
                                                     {"Crème", {"Crème Brûlée"}}};
    for (const auto& [keyword, expected] : cases) {
        searchFor(keyword);
        EXPECT_EQ(listed(), expected) << keyword.toStdString();
    }
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(messages.messages().empty());
    // "Crème" replaced "crème": one row each, newest first in the tree.
    EXPECT_EQ(dir.stored().rows(R"(SELECT Keyword FROM "RecipeSimpleSearch.db")"),
              (std::vector<std::string>{"BRULEE", "50%", "25%", "m_f", "grandma's", "cook’s", "olive oil", "Crème"}));
    EXPECT_EQ(children(FormMain->NodeRecipeSimpleSearch),
              (QStringList{"New Search", "Clear Search History", "Crème", "olive oil", "cook’s", "grandma's", "m_f",
                           "25%", "50%", "BRULEE"}));

    // A history node runs its keyword again without moving it.
    clickNode(FormMain->NodeRecipeSimpleSearch, "50%");
    EXPECT_EQ(label(), "Simple Search : 50%");
    EXPECT_EQ(listed(), QStringList{"Crème Brûlée"});
    EXPECT_EQ(children(FormMain->NodeRecipeSimpleSearch).at(2), "Crème");

    // Escape cancels: the list and the node stay.
    dialogs.expect([](TFormTemplateDialog&) {
        typeInto(DialogRecipeSimpleSearch->EditSearchSimple, "stew");
        QTest::keyClick(DialogRecipeSimpleSearch->EditSearchSimple, Qt::Key_Escape);
    });
    clickNode(FormMain->NodeRecipeSimpleSearch, "New Search");
    EXPECT_EQ(selected(), (QStringList{"Simple Search", "50%"}));
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "RecipeSimpleSearch.db")"), 8);

    // Clearing asks first; No keeps the history, Yes empties it.
    messages.answer(false);
    clickNode(FormMain->NodeRecipeSimpleSearch, "Clear Search History");
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "RecipeSimpleSearch.db")"), 8);
    messages.answer(true);
    clickNode(FormMain->NodeRecipeSimpleSearch, "Clear Search History");
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "RecipeSimpleSearch.db")"), 0);
    EXPECT_EQ(children(FormMain->NodeRecipeSimpleSearch), QStringList{"New Search"});
    EXPECT_EQ(selected(), QStringList{"Simple Search"});
}

TEST_F(RecipeSearchPage, ASavedSearchIsCreatedRenamedAndDeletedAndCancelLeavesTheTablesAsTheyWere)
{
    inList(true, [&] {
        inEditor(list().BtnCreate, [&] {
            typeInto(editor().dbedtSearchName, "Quick");
            addNumberRule(TDialogRecipeAdvancedSearchEdit::TimeRule, 2, "30");
            addNumberRule(TDialogRecipeAdvancedSearchEdit::ServesRule, 3, "1,5"); // a decimal comma
            QTest::mouseClick(editor().BtnOk, Qt::LeftButton);
        });
    });
    EXPECT_EQ(dir.stored().rows(kStoredSearches),
              (std::vector<std::string>{"Quick|Total time (minutes)|<=|30|time|NULL",
                                        "Quick|Number of Serves|>=|1.5|serves|NULL"}));
    EXPECT_EQ(children(FormMain->NodeRecipeAdvancedSearch), (QStringList{"New Search", "Edit Advanced Search", "Quick"}));
    EXPECT_EQ(selected(), (QStringList{"Advanced Search", "Quick"}));
    EXPECT_EQ(label(), "Advanced Search: Quick");
    EXPECT_EQ(listed(), storedNames(R"(r."Number of Serves" >= 1.5 AND ("Preperation Time" IS NOT NULL
        OR "Cooking Time" IS NOT NULL) AND COALESCE("Preperation Time", 0) + COALESCE("Cooking Time", 0) <= 30)"));
    EXPECT_EQ(listed(), (QStringList{"Classic Pancakes", "Garden Salad"}));

    const auto before = dir.stored().rows(kStoredSearches);
    // Renamed, and a rule removed, then the list cancelled: nothing changes.
    inList(false, [&] {
        inEditor(list().BtnEdit, [&] {
            typeInto(editor().dbedtSearchName, "Quick meals");
            QTest::mouseClick(editor().BtnRemoveRule, Qt::LeftButton);
            QTest::mouseClick(editor().BtnOk, Qt::LeftButton);
        });
    });
    EXPECT_EQ(dir.stored().rows(kStoredSearches), before);
    EXPECT_EQ(selected(), (QStringList{"Advanced Search", "Quick"}));

    inList(true, [&] {
        inEditor(list().BtnEdit, [&] {
            typeInto(editor().dbedtSearchName, "Quick meals");
            QTest::mouseClick(editor().BtnOk, Qt::LeftButton);
        });
    });
    EXPECT_EQ(dir.stored().rows(R"(SELECT "SQL Name" FROM "RecipeSQL.db")"), std::vector<std::string>{"Quick meals"});
    EXPECT_EQ(selected(), (QStringList{"Advanced Search", "Quick meals"}));

    // A name taken, ignoring case, is refused; the editor stays until Cancel.
    dialogs.expect([&](TFormTemplateDialog&) {
        typeInto(editor().dbedtSearchName, "QUICK MEALS");
        addNumberRule(TDialogRecipeAdvancedSearchEdit::ServesRule, 3, "2");
        QTest::mouseClick(editor().BtnOk, Qt::LeftButton);
        QTest::mouseClick(editor().BtnCancel, Qt::LeftButton);
    });
    clickNode(FormMain->NodeRecipeAdvancedSearch, "New Search");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"A search with this name already exists"});
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "RecipeSQLRules.db")"), 2);

    // Deleted and cancelled: still there; deleted and OK: gone with its rules.
    messages.answer(true);
    inList(false, [&] { QTest::mouseClick(list().BtnDelete, Qt::LeftButton); });
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "RecipeSQL.db")"), 1);
    messages.answer(true);
    inList(true, [&] { QTest::mouseClick(list().BtnDelete, Qt::LeftButton); });
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "RecipeSQL.db")"), 0);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "RecipeSQLRules.db")"), 0);
    EXPECT_EQ(children(FormMain->NodeRecipeAdvancedSearch), (QStringList{"New Search", "Edit Advanced Search"}));
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(RecipeSearchPage, ANutrientRulePerServeListsItsRecipesAndTheHeaderCountsThoseWithoutTotals)
{
    dialogs.expect([&](TFormTemplateDialog&) {
        typeInto(editor().dbedtSearchName, "Light");
        addNutrientRule(208, "<", "400");
        QTest::mouseClick(editor().BtnOk, Qt::LeftButton);
    });
    clickNode(FormMain->NodeRecipeAdvancedSearch, "New Search");
    EXPECT_EQ(dir.stored().rows(kStoredSearches),
              std::vector<std::string>{"Light|Energy per serve (kcal)|<|400|nutrient|208"});
    EXPECT_EQ(selected(), (QStringList{"Advanced Search", "Light"}));
    EXPECT_EQ(listed(), storedNames(R"(r."Number of Serves" > 0 AND R_ID IN (SELECT R_ID FROM "Recipe_NUT_DATA.db" n
        WHERE n.Nutr_No = 208 AND n.Nutr_Val / r."Number of Serves" < 400))"));
    EXPECT_FALSE(listed().isEmpty());
    // 10 and 12 have no totals, 11 no serves.
    EXPECT_EQ(label(), "Advanced Search: Light  (3 recipes left out for missing totals)");
    EXPECT_TRUE(messages.messages().empty());
}

} // namespace
