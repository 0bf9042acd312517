#pragma once

#include "ui/ValueDialog.h"

class QLabel;
class TDBEdit;

// One household measure of the food in the food edit dialog: its description,
// the amount it counts and what that amount weighs.
class TFormMeasurements : public TBoxDialog {
public:
    explicit TFormMeasurements(QWidget* parent = nullptr);

    QLabel* LabelTitle;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    TDBEdit* DBEdit2; // Msre_Desc
    TDBEdit* DBEdit1; // Amount
    TDBEdit* DBEdit3; // Gm_Wgt
};

extern TFormMeasurements* FormMeasurements;
