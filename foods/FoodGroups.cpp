#include "foods/FoodGroups.h"

#include "foods/DatabaseFood.h"
#include "foods/FoodGroupEdit.h"

TDialogFoodGroups* DialogFoodGroups = nullptr;

TDialogFoodGroups::TDialogFoodGroups(QWidget* parent)
    : TListDialog({"DialogFoodGroups", "Food Groups", &DataModuleFoods->dscFoodGroups2, "FdGrp_Desc", "Food Group",
                   "Create New Food Group", "Edit Selected Group", "Delete Selected Food Group"},
                  parent)
{
}

void TDialogFoodGroups::BtnCreateClick()
{
    TDataModuleFoods& foods = *DataModuleFoods;
    editRow([&] { foods.BeginNewFoodGroup(); }, *DialogFoodGroupEdit, [&] { foods.PostNewFoodGroup(); },
            [&] { foods.CancelNewFoodGroup(); });
}

void TDialogFoodGroups::BtnEditClick()
{
    TDataModuleFoods& foods = *DataModuleFoods;
    // With no group there is nothing to rename; a row begun here would be stored without its code.
    if (foods.tblFoodGroups2.isEmpty())
        return;
    editRow([&] { foods.BeginEditFoodGroup(); }, *DialogFoodGroupEdit, [&] { foods.PostEditedFoodGroup(); },
            [&] { foods.CancelEditedFoodGroup(); });
}

void TDialogFoodGroups::BtnDeleteClick()
{
    if (!DataModuleFoods->tblFoodGroups2.isEmpty())
        DataModuleFoods->DeleteFoodGroup();
}
