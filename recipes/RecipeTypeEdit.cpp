#include "recipes/RecipeTypeEdit.h"

#include "recipes/DatabaseRecipes.h"

TDialogRecipeTypeEdit* DialogRecipeTypeEdit = nullptr;

TDialogRecipeTypeEdit::TDialogRecipeTypeEdit(QWidget* parent)
    : TNameDialog({"DialogRecipeTypeEdit", "Recipe Type", "Recipe Type:", &DataModuleRecipes->dscRecipeTypes2,
                   "Recipe Type"},
                  parent)
{
}
