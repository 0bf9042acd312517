#include "tests/app/AppTestSupport.h"
#include "foods/AdvancedSearch.h"
#include "foods/AdvancedSearchEdit.h"
#include "foods/DatabaseFood.h"
#include "store/ProgramError.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "ui/ListLookupCombo.h"
#include "ui/TemplateDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

#include <functional>

namespace {

const char* const kStoredRules = R"(SELECT g."SQL Name", r.Field, r.Condition, r.RValue, r.ExtraInfo
    FROM "FoodSQLRules.DB" r LEFT JOIN "FoodSQL.DB" g USING (SQL_ID) ORDER BY r.Rule_ID)";
const char* const kStoredGroups = R"(SELECT CAST(SQL_ID AS INTEGER), "SQL Name" FROM "FoodSQL.DB" ORDER BY SQL_ID)";

class AdvancedSearchEditor : public ProgramTest {
protected:
    ScriptedDialogs dialogs;

    static TDialogFoodAdvancedSearch& list() { return *DialogFoodAdvancedSearch; }
    static TDialogFoodAdvancedSearchEdit& editor() { return *DialogFoodAdvancedSearchEdit; }
    static TDataModuleFoods& foods() { return *DataModuleFoods; }

    static void click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    }

    static void type(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

    static void chooseRule(int item) { click(editor().RadioGroupRulesItems[static_cast<std::size_t>(item)]); }
    static void name(const QString& text) { type(editor().dbedtRuleGroupName, text); }

    static void addWord(const QString& word)
    {
        chooseRule(0);
        type(editor().edtSearchFoodName, word);
        click(editor().GraphicButton2);
    }

    // Types the start of a group's name into the closed combo box, as a user picks an entry.
    static void chooseGroup(const QString& start)
    {
        chooseRule(1);
        QTest::keyClicks(editor().dbLookupComboBoxFoodGroup, start);
    }

    static void addGroup(const QString& start)
    {
        chooseGroup(start);
        click(editor().GraphicButton2);
    }

    static void chooseNutrient(std::int64_t nutrient)
    {
        RecordSet& definitions = foods().tblNutrientDef;
        const Field& number = definitions.fieldByName("Nutr_No");
        for (int row = 0; row < definitions.recordCount(); ++row)
            if (definitions.valueAt(row, number) == Value(nutrient))
                editor().DBGrid2->selectRow(row);
        ASSERT_EQ(definitions.fieldByName("Nutr_No").asInteger(), nutrient);
    }

    static void addNutrient(std::int64_t nutrient, const QString& condition, const QString& value)
    {
        chooseRule(2);
        chooseNutrient(nutrient);
        type(editor().ComboBoxCondition->lineEdit(), condition);
        type(editor().edtValue, value);
        click(editor().GraphicButton2);
    }

    // The list as the Foods page shows it: OK stores every change made in it,
    // anything else drops them all.
    void inList(const std::function<void()>& script)
    {
        dialogs.expect([&](TFormTemplateDialog&) { script(); });
        if (list().ShowModal() == mrOk)
            foods().ApplyRuleGroupEdits();
        else
            foods().CancelRuleGroupEdits();
    }

    // The rule editor, opened by a button of the list.
    void inEditor(TGraphicButton* button, const std::function<void()>& script)
    {
        dialogs.expect([&](TFormTemplateDialog&) { script(); });
        click(button);
    }

    // The rule editor over a new group or the list's current one, in a list closed with OK.
    void editNewGroup(const std::function<void()>& script)
    {
        inList([&] {
            inEditor(list().BtnCreate, script);
            click(list().BtnOk);
        });
    }

    void editCurrentGroup(const std::function<void()>& script)
    {
        inList([&] {
            inEditor(list().BtnEdit, script);
            click(list().BtnOk);
        });
    }

    // A stored group, made through the dialogs.
    void storeGroup(const QString& groupName, const std::function<void()>& addRules)
    {
        editNewGroup([&] {
            name(groupName);
            addRules();
            click(editor().BtnOk);
        });
    }

    int foundBy(const std::string& groupName)
    {
        foods().RunAdvancedSearch(groupName);
        return foods().qrySearchFoods.recordCount();
    }

    std::int64_t count(const std::string& where)
    {
        return dir.stored().count(R"(SELECT count(*) FROM "FOOD_DES.db" WHERE )" + where);
    }

    static std::string nutrientTest(int nutrient, const std::string& comparison)
    {
        return "NDB_No IN (SELECT NDB_No FROM \"NUT_DATA.db\" WHERE Nutr_No = " + std::to_string(nutrient)
            + " AND Nutr_Val " + comparison + ")";
    }
};

TEST_F(AdvancedSearchEditor, OkStoresTheGroupWithItsRulesAsEnteredAndItRunsExactly)
{
    storeGroup("Protein-rich cheese", [] {
        addWord("cheese");
        addGroup("Dairy");
        addNutrient(203, "  >  ", "20");
    });
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(dir.stored().rows(kStoredGroups), std::vector<std::string>{"1|Protein-rich cheese"});
    EXPECT_EQ(dir.stored().rows(kStoredRules),
              (std::vector<std::string>{"Protein-rich cheese|FoodName|contains|cheese|NULL",
                                        "Protein-rich cheese|FoodGroup|is|Dairy and Egg Products|100",
                                        "Protein-rich cheese|Protein|>|20|203"}));
    EXPECT_FALSE(foods().tblFoodSQLRules.updatesPending());
    EXPECT_FALSE(foods().tblFoodAdvancedSearch.updatesPending());

    const std::int64_t expected
        = count("lower(\"Desc\") LIKE '%cheese%' AND FdGrp_Cd = 100 AND " + nutrientTest(203, "> 20"));
    EXPECT_EQ(expected, 4);
    EXPECT_EQ(foundBy("Protein-rich cheese"), expected);
    // Groups run by name with letter case ignored.
    EXPECT_EQ(foundBy("PROTEIN-RICH CHEESE"), expected);
}

TEST_F(AdvancedSearchEditor, OneWordFindsWhatTheSimpleSearchFinds)
{
    storeGroup("Apples", [] { addWord("APPLES, RAW"); });
    foods().SearchFoodsByKeyword("APPLES, RAW");
    const int simple = foods().qrySearchFoods.recordCount();
    EXPECT_EQ(simple, count("lower(\"Desc\") LIKE '%apples, raw%'"));
    EXPECT_GT(simple, 0);
    EXPECT_EQ(foundBy("Apples"), simple);
}

TEST_F(AdvancedSearchEditor, GroupAndNutrientRulesAndABandOnOneNutrientFindExactlyTheirFoods)
{
    storeGroup("Lean dairy", [] {
        addGroup("Dairy");
        addNutrient(204, "<", "10");
    });
    storeGroup("Protein band", [] {
        addNutrient(203, ">", "12");
        addNutrient(203, "<", "22");
    });
    const std::int64_t lean = count("FdGrp_Cd = 100 AND " + nutrientTest(204, "< 10"));
    EXPECT_EQ(lean, 2);
    EXPECT_EQ(foundBy("Lean dairy"), lean);
    const std::int64_t band = count(nutrientTest(203, "> 12") + " AND " + nutrientTest(203, "< 22"));
    EXPECT_EQ(band, 7);
    EXPECT_EQ(foundBy("Protein band"), band);
}

TEST_F(AdvancedSearchEditor, EveryComparisonOfSqlIsStoredTrimmedAndOthersAreRefused)
{
    storeGroup("Comparisons", [&] {
        for (const char* comparison : {"=", " <> ", "!=", "<", ">", "<=", " >= "})
            addNutrient(208, comparison, "100");
    });
    EXPECT_EQ(dir.stored().rows(R"(SELECT Condition FROM "FoodSQLRules.DB" ORDER BY Rule_ID)"),
              (std::vector<std::string>{"=", "<>", "!=", "<", ">", "<=", ">="}));

    const std::int64_t allFoods = count("1");
    editNewGroup([&] {
        name("Hostile");
        for (const char* condition : {"; DROP TABLE \"FOOD_DES.db\"; --", "", "=<", "contains", "> 1) OR (1"}) {
            addNutrient(208, condition, "100");
            EXPECT_EQ(editor().focusWidget(), editor().ComboBoxCondition) << condition;
        }
        for (const char* value : {"abc", "", "1; DROP TABLE x", "1e999", "nan"}) {
            addNutrient(208, ">", value);
            EXPECT_EQ(editor().focusWidget(), editor().edtValue) << value;
        }
        EXPECT_EQ(foods().tblFoodSQLRules.recordCount(), 0);
        click(editor().BtnOk);
    });
    // The empty box asks for a condition or value; a typed one is refused in so many words.
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{
                                    "Condition: \"; DROP TABLE \"FOOD_DES.db\"; --\" is not a comparison.",
                                    "Please Select a Condition.", "Condition: \"=<\" is not a comparison.",
                                    "Condition: \"contains\" is not a comparison.",
                                    "Condition: \"> 1) OR (1\" is not a comparison.",
                                    "Value: \"abc\" is not a number.", "Please Enter a Value.",
                                    "Value: \"1; DROP TABLE x\" is not a number.", "Value: \"1e999\" is not a number.",
                                    "Value: \"nan\" is not a number."}));
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FoodSQLRules.DB" WHERE SQL_ID = 2)"), 0);
    EXPECT_EQ(count("1"), allFoods);
}

TEST_F(AdvancedSearchEditor, AnEmptyWordOrNoChosenGroupIsRefusedWithTheFocusOnTheBox)
{
    editNewGroup([&] {
        name("Nothing yet");
        addWord("");
        EXPECT_EQ(editor().focusWidget(), editor().edtSearchFoodName);
        chooseRule(1);
        click(editor().GraphicButton2);
        EXPECT_EQ(editor().focusWidget(), editor().dbLookupComboBoxFoodGroup);
        EXPECT_EQ(foods().tblFoodSQLRules.recordCount(), 0);
        click(editor().BtnCancel);
    });
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"Please Enter a word to search for!!", "Please Select a Food Group."}));
}

TEST_F(AdvancedSearchEditor, TheGroupRuleNamesTheGroupChosenEvenAfterAnotherWindowMovedTheGroups)
{
    storeGroup("Fruit", [&] {
        chooseGroup("Fruits");
        // Choosing makes the group current, as the group dialogs see it.
        EXPECT_EQ(foods().tblFoodGroups2.fieldByName("FdGrp_Cd").asInteger(), 900);
        addWord("raw");
    });
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FoodSQLRules.DB" WHERE Field = 'FoodGroup')"), 0);
    // Another window moves the group set while the combo box keeps its choice.
    ASSERT_TRUE(foods().tblFoodGroups2.locate("FdGrp_Cd", Value(std::int64_t{1100})));
    ASSERT_TRUE(foods().tblFoodAdvancedSearch.locate("SQL Name", Value(std::string("Fruit"))));
    editCurrentGroup([&] {
        EXPECT_EQ(editor().dbLookupComboBoxFoodGroup->currentText(), "Fruits and Fruit Juices");
        chooseRule(1);
        click(editor().GraphicButton2);
        click(editor().BtnOk);
    });
    EXPECT_EQ(dir.stored().rows(R"(SELECT RValue, ExtraInfo FROM "FoodSQLRules.DB" WHERE Field = 'FoodGroup')"),
              std::vector<std::string>{"Fruits and Fruit Juices|900"});
    const std::int64_t expected = count("FdGrp_Cd = 900 AND lower(\"Desc\") LIKE '%raw%'");
    EXPECT_EQ(foundBy("fruit"), expected);
    EXPECT_EQ(expected, 6);
}

TEST_F(AdvancedSearchEditor, CancelForANewGroupTakesBackOnlyItsOwnRules)
{
    // All in one opening of the list: what was made before the cancelled group stays pending.
    inList([&] {
        inEditor(list().BtnCreate, [&] {
            name("Kept");
            addWord("butter");
            click(editor().BtnOk);
        });
        inEditor(list().BtnCreate, [&] {
            name("Dropped");
            addWord("cheese");
            addNutrient(203, ">", "5");
            EXPECT_EQ(foods().tblFoodSQLRules.recordCount(), 2);
            click(editor().BtnCancel);
        });
        // The next new group gets the abandoned number and starts with no rules.
        inEditor(list().BtnCreate, [&] {
            EXPECT_EQ(foods().tblFoodAdvancedSearch.fieldByName("SQL_ID").asInteger(), 2);
            EXPECT_EQ(foods().tblFoodSQLRules.recordCount(), 0);
            name("Next");
            click(editor().BtnOk);
        });
        click(list().BtnOk);
    });
    EXPECT_EQ(dir.stored().rows(kStoredRules), std::vector<std::string>{"Kept|FoodName|contains|butter|NULL"});
    EXPECT_EQ(dir.stored().rows(kStoredGroups), (std::vector<std::string>{"1|Kept", "2|Next"}));
    EXPECT_EQ(foundBy("Next"), count("1"));
}

TEST_F(AdvancedSearchEditor, CancelForAnEditedGroupPutsItsNameAndRulesBack)
{
    storeGroup("Dairy fat", [] {
        addGroup("Dairy");
        addNutrient(204, ">", "20");
    });
    const auto before = dir.stored().rows(R"(SELECT * FROM "FoodSQLRules.DB" ORDER BY Rule_ID)");
    ASSERT_TRUE(foods().tblFoodAdvancedSearch.locate("SQL Name", Value(std::string("Dairy fat"))));
    inList([&] {
        inEditor(list().BtnEdit, [&] {
            name("Renamed");
            foods().tblFoodSQLRules.first();
            click(editor().GraphicButton4);
            addWord("cheese");
            addWord("blue");
            EXPECT_EQ(foods().tblFoodSQLRules.recordCount(), 3);
            editor().GraphicButton1Click(); // the frame's close button cancels too
        });
        EXPECT_EQ(foods().tblFoodSQLRules.recordCount(), 2);
        EXPECT_EQ(foods().tblFoodAdvancedSearch.fieldByName("SQL Name").asString(), "Dairy fat");
        click(list().BtnOk);
    });
    EXPECT_EQ(dir.stored().rows(R"(SELECT * FROM "FoodSQLRules.DB" ORDER BY Rule_ID)"), before);
    EXPECT_EQ(dir.stored().rows(kStoredGroups), std::vector<std::string>{"1|Dairy fat"});
}

TEST_F(AdvancedSearchEditor, OkWantsANameNoOtherGroupHasInAnyLetterCase)
{
    storeGroup("Dairy", [] { addGroup("Dairy"); });
    editNewGroup([&] {
        click(editor().BtnOk);
        EXPECT_TRUE(editor().isVisible());
        EXPECT_EQ(editor().focusWidget(), editor().dbedtRuleGroupName);
        name("DAIRY");
        click(editor().BtnOk);
        EXPECT_TRUE(editor().isVisible());
        EXPECT_EQ(editor().focusWidget(), editor().dbedtRuleGroupName);
        name("Dairy, second");
        click(editor().BtnOk);
        EXPECT_FALSE(editor().isVisible());
    });
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Please Enter the Rule Group Name",
                                                          "A search with this name already exists"}));
    // A group keeps its own name, and may change its letter case.
    ASSERT_TRUE(foods().tblFoodAdvancedSearch.locate("SQL Name", Value(std::string("Dairy"))));
    editCurrentGroup([&] {
        name("DAIRY");
        click(editor().BtnOk);
    });
    EXPECT_EQ(messages.messages().size(), 2U);
    EXPECT_EQ(dir.stored().rows(kStoredGroups), (std::vector<std::string>{"1|DAIRY", "2|Dairy, second"}));
}

TEST_F(AdvancedSearchEditor, BoxesHoldNoMoreThanTheirFieldsStore)
{
    const QString longText(300, QLatin1Char('a'));
    storeGroup(longText, [&] { addWord(longText); });
    EXPECT_EQ(editor().edtSearchFoodName->text().size(), 255);
    EXPECT_EQ(editor().dbedtRuleGroupName->text().size(), 128);
    editor().edtValue->setText(longText);
    EXPECT_EQ(editor().edtValue->text().size(), 255);
    EXPECT_EQ(dir.stored().count(R"(SELECT length("SQL Name") FROM "FoodSQL.DB")"), 128);
    EXPECT_EQ(dir.stored().count(R"(SELECT length(RValue) FROM "FoodSQLRules.DB")"), 255);
}

TEST_F(AdvancedSearchEditor, AFailedApplyStoresNeitherTableAndTheNextOkStoresBothOnce)
{
    foods().DatabaseFoods.failNextWriteTo("FoodSQL.DB", "disk I/O error");
    EXPECT_THROW(storeGroup("Twice tried",
                            [] {
                                addWord("cheese");
                                addNutrient(203, ">", "20");
                            }),
                 ProgramError);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FoodSQLRules.DB")"), 0);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FoodSQL.DB")"), 0);
    EXPECT_TRUE(foods().tblFoodSQLRules.updatesPending());
    EXPECT_TRUE(foods().tblFoodAdvancedSearch.updatesPending());

    inList([&] { click(list().BtnOk); });
    EXPECT_EQ(dir.stored().rows(kStoredRules),
              (std::vector<std::string>{"Twice tried|FoodName|contains|cheese|NULL", "Twice tried|Protein|>|20|203"}));
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FoodSQL.DB")"), 1);
}

TEST_F(AdvancedSearchEditor, KeepsItsChoicesBetweenShowingsAndShowsThePageOfTheChosenRule)
{
    editNewGroup([&] {
        EXPECT_EQ(editor().ItemIndex(), 0);
        EXPECT_EQ(editor().NotebookRule->currentIndex(), 0);
        chooseGroup("Fats");
        chooseRule(2);
        EXPECT_EQ(editor().NotebookRule->currentIndex(), 2);
        type(editor().ComboBoxCondition->lineEdit(), "<=");
        type(editor().edtValue, "3");
        click(editor().BtnCancel);
    });
    editNewGroup([&] {
        EXPECT_EQ(editor().ItemIndex(), 2);
        EXPECT_EQ(editor().NotebookRule->currentIndex(), 2);
        EXPECT_EQ(editor().ComboBoxCondition->currentText(), "<=");
        EXPECT_EQ(editor().edtValue->text(), "3");
        EXPECT_EQ(editor().dbLookupComboBoxFoodGroup->currentText(), "Fats and Oils");
        click(editor().BtnCancel);
    });
}

TEST_F(AdvancedSearchEditor, RemovingWithNoRuleReportsTheEmptySetAndRemovesNothing)
{
    editNewGroup([&] {
        click(editor().GraphicButton4);
        click(editor().BtnCancel);
    });
    ASSERT_EQ(messages.messages().size(), 1U);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Error);
    EXPECT_NE(messages.messages()[0].text.find("empty dataset"), std::string::npos);
}

using AdvancedSearchList = AdvancedSearchEditor;

TEST_F(AdvancedSearchList, EditAndDeleteOnAnEmptyListDoNothing)
{
    inList([&] {
        click(list().BtnEdit);
        click(list().BtnDelete);
        click(list().BtnOk);
    });
    EXPECT_EQ(dialogs.shown(), std::vector<std::string>{"DialogFoodAdvancedSearch"});
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FoodSQL.DB")"), 0);
    EXPECT_FALSE(foods().tblFoodAdvancedSearch.updatesPending());
}

TEST_F(AdvancedSearchList, CancellingTheListDropsANewGroupWithItsRules)
{
    inList([&] {
        inEditor(list().BtnCreate, [&] {
            name("Not kept");
            addGroup("Dairy");
            addNutrient(204, "<", "10");
            click(editor().BtnOk);
        });
        EXPECT_EQ(list().dbGridAdvancedSearch->Model()->rowCount(), 1);
        click(list().BtnCancel);
    });
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FoodSQL.DB")"), 0);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FoodSQLRules.DB")"), 0);
    EXPECT_FALSE(foods().tblFoodSQLRules.updatesPending());
    EXPECT_FALSE(foods().tblFoodAdvancedSearch.updatesPending());
    EXPECT_EQ(foundBy("Not kept"), count("1"));
}

TEST_F(AdvancedSearchList, DeleteAsksAndRemovesTheGroupWithItsRulesOnOk)
{
    storeGroup("Fats", [] { addGroup("Fats"); });
    storeGroup("Cheese", [] {
        addWord("cheese");
        addNutrient(203, ">", "20");
    });
    messages.answer(false);
    messages.answer(true);
    inList([&] {
        list().dbGridAdvancedSearch->selectRow(1);
        click(list().BtnDelete);
        EXPECT_EQ(foods().tblFoodAdvancedSearch.recordCount(), 2);
        click(list().BtnDelete);
        EXPECT_EQ(foods().tblFoodAdvancedSearch.recordCount(), 1);
        click(list().BtnOk);
    });
    EXPECT_EQ(messages.texts(), std::vector<std::string>(2, "Are you sure you want to delete [ Cheese ]"));
    EXPECT_EQ(dir.stored().rows(kStoredGroups), std::vector<std::string>{"1|Fats"});
    EXPECT_EQ(dir.stored().rows(kStoredRules), std::vector<std::string>{"Fats|FoodGroup|is|Fats and Oils|400"});
    EXPECT_EQ(foundBy("Fats"), count("FdGrp_Cd = 400"));
}

} // namespace
