#include "foods/NutrientValue.h"

#include "foods/DatabaseFood.h"

TFormNutrientValue* FormNutrientValue = nullptr;

TFormNutrientValue::TFormNutrientValue(QWidget* parent)
    : TValueDialog(parent, DataModuleFoods->dscNutrientData2, "NutrientDescription", "Nutr_Val", "Units")
{
    setObjectName(QStringLiteral("FormNutrientValue"));
    setWindowTitle(QStringLiteral("Nutrient Value"));
}
