#pragma once

#include "recipes/RecipeListDialog.h"

// The recipe types: created, renamed and deleted (a type no stored recipe uses).
// Every change stays pending until the caller stores or drops it.
class TDialogRecipeTypes : public TRecipeListDialog {
public:
    explicit TDialogRecipeTypes(QWidget* parent = nullptr);
};

extern TDialogRecipeTypes* DialogRecipeTypes;
