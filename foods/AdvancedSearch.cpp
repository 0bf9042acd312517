#include "foods/AdvancedSearch.h"

#include "foods/AdvancedSearchEdit.h"
#include "foods/DatabaseFood.h"
#include "ui/DataControls.h"

TDialogFoodAdvancedSearch* DialogFoodAdvancedSearch = nullptr;

TDialogFoodAdvancedSearch::TDialogFoodAdvancedSearch(QWidget* parent)
    : TListDialog({"DialogFoodAdvancedSearch", "Advanced Search", &DataModuleFoods->dscFoodAdvancedSearch, "SQL Name",
                   "Predefined Advanced Search", "Create New Advanced Search", "Edit Selected Advanced Search",
                   "Delete Select Advanced Search"},
                  parent),
      dbGridAdvancedSearch(DBGrid1)
{
    dbGridAdvancedSearch->setObjectName("dbGridAdvancedSearch");
}

void TDialogFoodAdvancedSearch::BtnCreateClick()
{
    TDataModuleFoods& foods = *DataModuleFoods;
    editRow([&] { foods.BeginNewRuleGroup(); }, *DialogFoodAdvancedSearchEdit, [&] { foods.PostRuleGroup(); },
            [&] { foods.CancelRuleGroup(); });
}

void TDialogFoodAdvancedSearch::BtnEditClick()
{
    TDataModuleFoods& foods = *DataModuleFoods;
    // A fresh installation has no search to edit; a row begun here would be stored without its number.
    if (foods.tblFoodAdvancedSearch.isEmpty())
        return;
    editRow([&] { foods.BeginEditRuleGroup(); }, *DialogFoodAdvancedSearchEdit, [&] { foods.PostRuleGroup(); },
            [&] { foods.CancelRuleGroup(); });
}

void TDialogFoodAdvancedSearch::BtnDeleteClick()
{
    if (!DataModuleFoods->tblFoodAdvancedSearch.isEmpty())
        DataModuleFoods->DeleteRuleGroup();
}
