#pragma once

#include "ui/NameDialog.h"

// Names one cuisine: the row its caller began in the cuisine maintenance set.
class TDialogRecipeCuisineEdit : public TNameDialog {
public:
    explicit TDialogRecipeCuisineEdit(QWidget* parent = nullptr);
};

extern TDialogRecipeCuisineEdit* DialogRecipeCuisineEdit;
