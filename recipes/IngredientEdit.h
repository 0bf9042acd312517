#pragma once

#include "foods/MeasureEntry.h"
#include "kitchen/IngredientLinker.h"
#include "ui/ValueDialog.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class TDBGrid;
class TDBText;
class TDataModuleFoods;
class TDataModuleRecipes;

// What the shared food list shows after one of the dialog's filter items ran.
enum class FoodListFilter { AllFoods, FoodGroup, SimpleSearch, AdvancedSearch };

// One ingredient line of the recipe under edit: the line as the cook writes it
// (name, quantity, unit), and optionally its link to a reference food, by grams
// or by a count of one of the food's household measures. The link is written
// only by the link button, from what the dialog shows at that moment; the caller
// posts (OK) or cancels the row.
//
// Created before the data modules; BindDataModules ties it to them once they exist.
class TDialogIngredientEdit : public TBoxDialog {
public:
    explicit TDialogIngredientEdit(QWidget* parent = nullptr);
    ~TDialogIngredientEdit() override;

    // Binds the boxes and the food list, and follows the current food from now on.
    void BindDataModules(TDataModuleFoods& foods, TDataModuleRecipes& recipes);

    QLabel* LabelTitle;
    // The line as the cook writes it, read into the three boxes below with a link proposed.
    QLabel* LabelIngredientLine;
    QLineEdit* EditIngredientLine;
    QLabel* LabelProposal;
    QLabel* LabelIngredientName;
    QLabel* LabelQuantity;
    QLabel* LabelUnit;
    TDBEdit* DBEdit2 = nullptr; // Ingredient Name
    TDBEdit* DBEdit1 = nullptr; // Quantity
    TDBEdit* DBEdit3 = nullptr; // Unit
    QLabel* LabelLinkHeading;
    QLabel* LabelLinkName;
    QLabel* LabelLinkQuantity;
    QLabel* LabelLinkUnit;
    TDBText* DBEdit4; // NDB_Desc, the linked food
    TDBText* DBEdit5; // NDB_Quantity
    TDBText* DBEdit6; // NDB_Unit, the linked measure
    TDBGrid* DBGridIngredients;
    QPushButton* SpeedButton1;
    QMenu* PopupMenu1;
    QAction* DisplayAllFoods1;
    QAction* DisplaybyFoodGroup1;
    QAction* SimpleSearch1;
    QAction* AdvancedSearch1;
    QWidget* PanelFoodMeasures;
    QLabel* LabelMeasureSetting;
    QLabel* LabelAmount;
    QLineEdit* EditAmount;
    QRadioButton* rdByMeasure;
    QRadioButton* rdInGram;
    QComboBox* ComboBoxMeasures;
    QLabel* LabelAmountIngram;
    TGraphicButton* btnAddLinkIngredient;

    // The current food's measures, in the order of ComboBoxMeasures' items.
    std::vector<MeasureEntry> MeasureList;
    // The ingredient's weight as last computed; kept between showings.
    double GramWeight = 0;

    // Called after a filter item changed what the shared food list shows, or the
    // groups or saved searches the Foods page lists, with the group, keyword or
    // search now shown (empty when none is), so that the Foods page can follow.
    std::function<void(FoodListFilter, const std::string& name)> FoodListChanged;

    void FormShow();
    // Reads the line box: fills the three boxes, keeps the line, lists the line's
    // candidate foods first and proposes the link; nothing is linked until the link button.
    void ReadIngredientLine();
    void RefreshMeasures();
    void ComboBoxMeasuresChange();
    void rdByMeasureClick();
    void rdInGramClick();
    void SpeedButton1Click();
    void DisplayAllFoods1Click();
    void DisplaybyFoodGroup1Click();
    void SimpleSearch1Click();
    void AdvancedSearch1Click();
    void btnAddLinkIngredientClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildMeasurePanel();
    void setMeasureBoxEnabled(bool enabled);
    void foodListChanged(FoodListFilter filter, const std::string& name);

    void readTypedLine();
    void showProposal();

    std::optional<LinkProposal> proposal_; // the line read last, while the dialog shows
    bool proposing_ = false;               // the panel is being set from the proposal
    bool refilling_ = false; // the measure box is being refilled from code
    TDataModuleFoods* foods_ = nullptr; // bound to, for letting go of its listener
    int measureListener_ = 0;
};

extern TDialogIngredientEdit* DialogIngredientEdit;
