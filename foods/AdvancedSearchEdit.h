#pragma once

#include "ui/TemplateDialog.h"

#include <array>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class TDBEdit;
class TDBGrid;
class TListLookupComboBox;

// The rule editor of one advanced search: its name, and rules added one at a
// time from three kinds (a word in the food's name, a food group, a nutrient
// compared with a value per 100 g). It works on the group row its caller began
// and on that group's rules; OK keeps both pending, Cancel takes back both.
// The boxes keep what was last typed between showings.
class TDialogFoodAdvancedSearchEdit : public TFormTemplateDialog {
public:
    explicit TDialogFoodAdvancedSearchEdit(QWidget* parent = nullptr);

    QLabel* LabelTitle;
    QLabel* LabelRuleGroupName;
    TDBEdit* dbedtRuleGroupName;
    QGroupBox* RadioGroupRules;
    std::array<QRadioButton*, 3> RadioGroupRulesItems;
    QStackedWidget* NotebookRule;
    // Page "FoodName Rules".
    QLabel* LabelSearchFoodName;
    QLineEdit* edtSearchFoodName;
    // Page "FoodGroup Rules".
    QLabel* LabelFoodGroup;
    TListLookupComboBox* dbLookupComboBoxFoodGroup;
    // Page "Ingredient Rules".
    TDBGrid* DBGrid2;
    QLabel* LabelCondition;
    QComboBox* ComboBoxCondition;
    QLabel* LabelValue;
    QLineEdit* edtValue;
    QLabel* LabelNote;

    TGraphicButton* GraphicButton2;
    TGraphicButton* GraphicButton4;
    TDBGrid* DBGrid3;
    TGraphicButton* BtnOk;
    TGraphicButton* BtnCancel;

    // The radio group's chosen item: 0 food name, 1 food group, 2 nutrient.
    int ItemIndex() const;
    void SetItemIndex(int index);

    void FormShow();
    void RadioGroupRulesClick();
    void GraphicButton2Click(); // AddRule
    void GraphicButton4Click(); // RemoveRule
    void BtnOkClick();
    void BtnCancelClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildFoodNamePage(QWidget* page);
    void buildFoodGroupPage(QWidget* page);
    void buildNutrientPage(QWidget* page);
    void AddFoodNameRule();
    void AddFoodGroupRule();
    void AddNutrientRule();
    // Appends a rule of the current group and posts it.
    static void StoreRule(const std::string& field, const std::string& condition, const std::string& value,
                          const std::string& extraInfo);

    QButtonGroup* radioItems_;
};

extern TDialogFoodAdvancedSearchEdit* DialogFoodAdvancedSearchEdit;
