#include "recipes/RecipeTypes.h"

#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeTypeEdit.h"

TDialogRecipeTypes* DialogRecipeTypes = nullptr;

TDialogRecipeTypes::TDialogRecipeTypes(QWidget* parent)
    : TRecipeListDialog(
          {{"DialogRecipeTypes", "Recipe Types", &DataModuleRecipes->dscRecipeTypes2, "Recipe Type", "Recipe Type",
            "Create New Recipe Type", "Edit Selected Type", "Delete Select Type"},
           &DataModuleRecipes->tblRecipeTypes2,
           []() -> TFormTemplateDialog& { return *DialogRecipeTypeEdit; },
           // A type keeps its id for life: the recipes' links to it name that id.
           [](RecordSet& types) { types.fieldByName("RTYPE_ID").setAsInteger(DataModuleRecipes->NextRecipeTypeId()); },
           [] { DataModuleRecipes->DeleteRecipeType(); }},
          parent)
{
}
