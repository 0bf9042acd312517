#pragma once

#include "ui/ValueDialog.h"

// One nutrient value per 100 g of the food in the food edit dialog: the row being
// entered in the food's values, with the nutrient's name and units.
class TFormNutrientValue : public TValueDialog {
public:
    explicit TFormNutrientValue(QWidget* parent = nullptr);
};

extern TFormNutrientValue* FormNutrientValue;
