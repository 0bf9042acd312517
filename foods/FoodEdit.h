#pragma once

#include "ui/TemplateDialog.h"

class NutrientPicker;
class QLabel;
class QTabWidget;
class QWidget;
class TDBEdit;
class TDBGrid;
class TDBLookupComboBox;
class WizardPages;

// The food edit wizard: a food's name and group, its nutrient values per 100 g
// and its household measures, on three pages. It works on the food row its
// caller began (new or edited) and on that food's values and measures, which
// stay pending with the food row: the caller stores all of them (OK) or drops
// all of them (anything else).
class TDialogFoodEdit : public TFormTemplateDialog {
public:
    explicit TDialogFoodEdit(QWidget* parent = nullptr);

    QLabel* LabelTitle;
    WizardPages* NoteBookPages;
    QWidget* ShapeLine;
    TGraphicButton* BtnPrev;
    TGraphicButton* BtnNext;
    TGraphicButton* BtnCancel;
    TGraphicButton* BtnOk;
    // Page "FoodDetails".
    QLabel* LabelFoodName;
    TDBEdit* DBEdit1;
    QLabel* LabelFoodGroup;
    TDBLookupComboBox* DBLookupComboBox1;
    // Page "FoodNutrients".
    NutrientPicker* Picker;
    QTabWidget* NutrientTabs;
    QWidget* TabAllNutrients;
    QWidget* TabMyNutrients;
    TDBGrid* DBGrid1;
    TDBGrid* DBGrid2;
    TGraphicButton* GraphicButton2;
    TGraphicButton* GraphicButton4;
    TDBGrid* grdNutrientBy100g;
    // Page "FoodMeasures".
    QLabel* LabelMeasures;
    TDBGrid* grdMeasures;
    TGraphicButton* BtnAddMeasure;
    TGraphicButton* BtnDeleteMeasure;
    TGraphicButton* BtnEditMeasure;

    void FormShow();
    void BtnPrevClick();
    void BtnNextClick();
    void BtnOkClick();
    void BtnCancelClick();
    void GraphicButton2Click();
    void GraphicButton4Click();
    void BtnAddMeasureClick();
    void BtnEditMeasureClick();
    void BtnDeleteMeasureClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildDetailsPage(QWidget* page);
    void buildNutrientsPage(QWidget* page);
    void buildMeasuresPage(QWidget* page);
};

extern TDialogFoodEdit* DialogFoodEdit;
