#pragma once

#include "ui/NameDialog.h"

// Names one food group: the row the caller began in the group maintenance set.
class TDialogFoodGroupEdit : public TNameDialog {
public:
    explicit TDialogFoodGroupEdit(QWidget* parent = nullptr);
};

extern TDialogFoodGroupEdit* DialogFoodGroupEdit;
