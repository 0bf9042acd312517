#pragma once

#include "foods/SimpleSearch.h"
#include "recipes/RecipeRules.h"
#include "ui/ListDialog.h"

#include <array>
#include <optional>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QListWidget;
class QRadioButton;
class QStackedWidget;
class TDBEdit;

// The keyword dialog of the recipe search, in the look of the food one. It searches
// the recipes for the keyword without the blanks at its ends and keeps it as history.
class TDialogRecipeSimpleSearch : public TDialogSimpleSearch {
public:
    explicit TDialogRecipeSimpleSearch(QWidget* parent = nullptr);
    ~TDialogRecipeSimpleSearch() override;
    void ButtonSearchClick() override;
    const std::string& Keyword() const { return keyword_; } // the one last searched

private:
    std::string keyword_;
};

// The rule editor of one saved recipe search: its name and its rules, added one at a
// time. It works on the search row its caller began and on that search's rules; OK
// keeps both pending, Cancel takes back both.
class TDialogRecipeAdvancedSearchEdit : public TFormTemplateDialog {
public:
    explicit TDialogRecipeAdvancedSearchEdit(QWidget* parent = nullptr);
    ~TDialogRecipeAdvancedSearchEdit() override;

    enum RuleKind { NutrientRule, EnergyRule, CuisineRule, TypeRule, FoodRule, WordRule, TimeRule, ServesRule };
    static constexpr int kRuleKinds = 8;

    QLabel* LabelTitle;
    TDBEdit* dbedtSearchName;
    QGroupBox* RadioGroupRules;
    std::array<QRadioButton*, kRuleKinds> RadioGroupRulesItems;
    QStackedWidget* NotebookRule;
    TDBGrid* DBGridNutrients;     // nutrient per serve
    QComboBox* ComboBoxPart;      // energy share
    QListWidget* ListCuisines;    // checkable
    QListWidget* ListTypes;       // checkable
    QComboBox* ComboBoxFoodContains;
    QLineEdit* EditFoodFilter;    // narrows the food list as it is typed
    QListWidget* ListFoods;
    QComboBox* ComboBoxWordContains;
    QLineEdit* EditWord;
    // The comparison and number of the nutrient and energy pages, the minutes and the serves.
    std::array<QComboBox*, 2> ComboBoxCondition;
    std::array<QLineEdit*, 4> EditNumber;
    TGraphicButton* BtnAddRule;
    TGraphicButton* BtnRemoveRule;
    TDBGrid* DBGridRules;
    TGraphicButton* BtnOk;
    TGraphicButton* BtnCancel;

    void SetRuleKind(RuleKind kind);
    void FillFoodList(); // the foods whose name holds the filter's text
    void BtnAddRuleClick();
    void BtnRemoveRuleClick();
    void BtnOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* page(RuleKind kind);
    void buildComparedNumber(QWidget* page, int index, const QString& unit, int top);
    // The rule the current page describes, or nothing after saying what is missing.
    std::optional<RecipeRule> ruleOfPage(std::string& field);
    std::optional<std::string> typedNumber(int index, const char* what);
    std::optional<RecipeRule> chosenOfList(QListWidget* list, const char* kind, const char* what);

    QButtonGroup* radioItems_;
};

// The saved recipe searches: created and edited in the rule editor, deleted with
// their rules; every change pending until the caller stores or drops them.
class TDialogRecipeAdvancedSearch : public TListDialog {
public:
    explicit TDialogRecipeAdvancedSearch(QWidget* parent = nullptr);
    ~TDialogRecipeAdvancedSearch() override;

    void BtnCreateClick() override;
    void BtnEditClick() override;
    void BtnDeleteClick() override;
};

// Made by the main window on first use, gone with it.
extern TDialogRecipeSimpleSearch* DialogRecipeSimpleSearch;
extern TDialogRecipeAdvancedSearchEdit* DialogRecipeAdvancedSearchEdit;
extern TDialogRecipeAdvancedSearch* DialogRecipeAdvancedSearch;
