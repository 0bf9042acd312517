#pragma once

#include "ui/ListDialog.h"

// The saved advanced searches: created and edited in the rule editor, deleted
// with their rules. Every change stays pending in the group and rule sets until
// the caller stores (ApplyRuleGroupEdits) or drops (CancelRuleGroupEdits) them.
class TDialogFoodAdvancedSearch : public TListDialog {
public:
    explicit TDialogFoodAdvancedSearch(QWidget* parent = nullptr);

    TDBGrid* dbGridAdvancedSearch; // the list's grid, by the name this dialog gives it

    void BtnCreateClick() override;
    void BtnEditClick() override;
    void BtnDeleteClick() override;
};

extern TDialogFoodAdvancedSearch* DialogFoodAdvancedSearch;
