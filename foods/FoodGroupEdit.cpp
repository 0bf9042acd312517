#include "foods/FoodGroupEdit.h"

#include "foods/DatabaseFood.h"

TDialogFoodGroupEdit* DialogFoodGroupEdit = nullptr;

TDialogFoodGroupEdit::TDialogFoodGroupEdit(QWidget* parent)
    : TNameDialog({"DialogFoodGroupEdit", "Food Group", "Food Group:", &DataModuleFoods->dscFoodGroups2, "FdGrp_Desc"},
                  parent)
{
}
