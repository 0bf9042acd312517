#pragma once

#include "ui/NameDialog.h"

// Names one recipe type: the row its caller began in the type maintenance set.
class TDialogRecipeTypeEdit : public TNameDialog {
public:
    explicit TDialogRecipeTypeEdit(QWidget* parent = nullptr);
};

extern TDialogRecipeTypeEdit* DialogRecipeTypeEdit;
