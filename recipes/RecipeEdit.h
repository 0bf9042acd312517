#pragma once

#include "ui/TemplateDialog.h"

class NutrientPicker;
class TDialogPasteIngredients;
class QLabel;
class QTabWidget;
class QWidget;
class TDBEdit;
class TDBGrid;
class TDBLookupComboBox;
class TDBMemo;
class WizardPages;

// The recipe wizard: a recipe's description, ingredients, procedure, types,
// nutrient totals and source, on six pages. It works on the recipe its caller
// began (new or edited); every change stays pending with the recipe, which the
// caller stores as a whole (OK) or drops as a whole (anything else).
class TDialogRecipeEdit : public TFormTemplateDialog {
public:
    explicit TDialogRecipeEdit(QWidget* parent = nullptr);

    QLabel* LabelTitle;
    WizardPages* NoteBookPages;
    QWidget* ShapeLine;
    TGraphicButton* BtnPrev;
    TGraphicButton* BtnNext;
    TGraphicButton* BtnCancel;
    TGraphicButton* BtnOk;
    // Page "RecipeInfo".
    TDBEdit* DBEditName;
    TDBLookupComboBox* DBLookupComboBoxCuisine;
    TDBEdit* DBEditServes;
    TDBEdit* DBEditPreparation;
    TDBEdit* DBEditCooking;
    QLabel* LabelImportNote; // what an import changed or leaves to the user
    // Page "RecipeIngredients".
    TDBGrid* DBGridRIngredientList;
    TGraphicButton* BtnCreate;
    TGraphicButton* BtnDelete;
    TGraphicButton* BtnEdit;
    TGraphicButton* BtnPaste;        // many lines at once, read and linked
    TGraphicButton* BtnLinkUnlinked; // links proposed for the lines without one
    QLabel* LabelIngredientsNote;
    TDialogPasteIngredients* PasteDialog;
    // Page "RecipeProcedure".
    TDBMemo* DBMemoProcedures;
    // Page "RecipeTypes".
    TDBGrid* DBGrid1;
    TDBGrid* DBGrid2;
    TGraphicButton* GraphicButton2;
    TGraphicButton* GraphicButton4;
    // Page "RecipeNutrients".
    NutrientPicker* Picker;
    QTabWidget* NutrientTabs;
    QWidget* TabAllNutrients;
    QWidget* TabMyNutrients;
    TDBGrid* DBGrid3;
    TDBGrid* DBGrid4;
    TDBGrid* DBGrid5;
    TGraphicButton* GraphicButton3;
    TGraphicButton* GraphicButton5;
    TGraphicButton* GraphicButton6;
    QLabel* LabelTotalsNote; // "totals from 10 of 12 ingredient lines"
    // Page "RecipeSource".
    TDBEdit* DBEditAuthor;
    TDBEdit* DBEditSource;
    TDBEdit* DBEditWebPageName;
    TDBMemo* DBMemoWebPageLink;

    // Shown on the first page while an imported recipe is reviewed; empty hides it.
    void SetImportNote(const QString& note);

    void FormShow();
    void BtnPrevClick();
    void BtnNextClick();
    void BtnOkClick();
    void BtnCancelClick();
    void BtnCreateClick();
    void BtnEditClick();
    void BtnDeleteClick();
    void BtnPasteClick();
    void BtnLinkUnlinkedClick();
    void GraphicButton2Click();
    void GraphicButton4Click();
    void GraphicButton3Click();
    void GraphicButton5Click();
    void GraphicButton6Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildInfoPage(QWidget* page);
    void buildIngredientsPage(QWidget* page);
    void buildProcedurePage(QWidget* page);
    void buildTypesPage(QWidget* page);
    void buildNutrientsPage(QWidget* page);
    void buildSourcePage(QWidget* page);
    void pageShown(int index);
    void showTotalsNote();
};

extern TDialogRecipeEdit* DialogRecipeEdit;
