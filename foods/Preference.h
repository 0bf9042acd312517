#pragma once

#include "ui/TemplateDialog.h"

class QLabel;
class TDBGrid;
class TGraphicButton;

// "My Nutrients": the user picks which nutrients the food and recipe nutrient
// grids show. Adds and removals stay pending in the preference set until the
// caller stores (OK) or drops (anything else) them; both grids follow every change.
class TDialogPreference : public TFormTemplateDialog {
public:
    explicit TDialogPreference(QWidget* parent = nullptr);

    QLabel* LabelTitle;
    TDBGrid* DBGrid1;
    TDBGrid* DBGridSFNutrientListByServing;
    TGraphicButton* GraphicButton2;
    TGraphicButton* GraphicButton4;
    TGraphicButton* BtnAddMeasure;
    TGraphicButton* BtnDeleteMeasure;
    TGraphicButton* BtnEditMeasure;
    TGraphicButton* BtnCancel;
    TGraphicButton* BtnOk;

    void GraphicButton2Click();
    void GraphicButton4Click();
    void BtnAddMeasureClick();
    void BtnDeleteMeasureClick();
    void BtnEditMeasureClick();
    void BtnOkClick();
    void BtnCancelClick();
};

extern TDialogPreference* DialogPreference;
