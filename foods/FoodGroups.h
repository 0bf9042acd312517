#pragma once

#include "ui/ListDialog.h"

// The food groups: created, renamed and deleted (an unused group only). Every
// change stays pending in the group maintenance set until the caller stores or
// drops it.
class TDialogFoodGroups : public TListDialog {
public:
    explicit TDialogFoodGroups(QWidget* parent = nullptr);

    void BtnCreateClick() override;
    void BtnEditClick() override;
    void BtnDeleteClick() override;
};

extern TDialogFoodGroups* DialogFoodGroups;
