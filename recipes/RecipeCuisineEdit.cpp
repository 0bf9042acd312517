#include "recipes/RecipeCuisineEdit.h"

#include "recipes/DatabaseRecipes.h"

TDialogRecipeCuisineEdit* DialogRecipeCuisineEdit = nullptr;

TDialogRecipeCuisineEdit::TDialogRecipeCuisineEdit(QWidget* parent)
    : TNameDialog({"DialogRecipeCuisineEdit", "Cuisine", "Cuisine:", &DataModuleRecipes->dscRecipeCuisine2, "Cuisine"},
                  parent)
{
}
