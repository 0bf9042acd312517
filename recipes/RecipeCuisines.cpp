#include "recipes/RecipeCuisines.h"

#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeCuisineEdit.h"

TDialogRecipeCuisines* DialogRecipeCuisines = nullptr;

TDialogRecipeCuisines::TDialogRecipeCuisines(QWidget* parent)
    : TRecipeListDialog(
          {{"DialogRecipeCuisines", "Cuisines", &DataModuleRecipes->dscRecipeCuisine2, "Cuisine", "Cuisine",
            "Create New Cuisine", "Edit Selected Cuisine", "Delete Select Cuisine"},
           &DataModuleRecipes->tblRecipeCuisine2,
           []() -> TFormTemplateDialog& { return *DialogRecipeCuisineEdit; },
           {}, // Cuisine_ID is numbered by the table when the cuisine is stored
           [] { DataModuleRecipes->DeleteCuisine(); }},
          parent)
{
}
