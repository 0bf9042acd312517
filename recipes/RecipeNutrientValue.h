#pragma once

#include "ui/ValueDialog.h"

// One nutrient total of the recipe in the recipe wizard: the row being added to
// the recipe's nutrients, with the nutrient's name.
class TDialogRecipeNutrientValue : public TValueDialog {
public:
    explicit TDialogRecipeNutrientValue(QWidget* parent = nullptr);
};

extern TDialogRecipeNutrientValue* DialogRecipeNutrientValue;
