#include "recipes/RecipeNutrientValue.h"

#include "recipes/DatabaseRecipes.h"

TDialogRecipeNutrientValue* DialogRecipeNutrientValue = nullptr;

TDialogRecipeNutrientValue::TDialogRecipeNutrientValue(QWidget* parent)
    : TValueDialog(parent, DataModuleRecipes->dscRecipeNutrientDataEdit, "Nutr_Desc", "Nutr_Val")
{
    setObjectName(QStringLiteral("DialogRecipeNutrientValue"));
    setWindowTitle(QStringLiteral("Nutrient Value"));
}
