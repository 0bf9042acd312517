#pragma once

#include "recipes/RecipeListDialog.h"

// The cuisines: created, renamed and deleted (a cuisine no stored recipe uses).
// Every change stays pending until the caller stores or drops it.
class TDialogRecipeCuisines : public TRecipeListDialog {
public:
    explicit TDialogRecipeCuisines(QWidget* parent = nullptr);
};

extern TDialogRecipeCuisines* DialogRecipeCuisines;
