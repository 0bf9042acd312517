#pragma once

#include "ui/ListDialog.h"

#include <functional>
#include <string>

class RecordSet;

// The recipe types and the cuisines are kept alike: a list dialog over a cached
// maintenance set whose rows one name dialog names. The two sides differ only in
// the Side they are built with.
class TRecipeListDialog : public TListDialog {
public:
    struct Side {
        TListDialog::Setup list;
        RecordSet* set;
        std::function<TFormTemplateDialog&()> editor; // the side's name dialog
        // Gives a new row its id when its name dialog closes with OK; empty where
        // the table numbers its rows itself.
        std::function<void(RecordSet&)> numberNewRow;
        std::function<void()> deleteCurrent; // the data module's guarded delete
    };

    TRecipeListDialog(Side side, QWidget* parent = nullptr);

    void BtnCreateClick() override;
    void BtnEditClick() override;
    void BtnDeleteClick() override;

private:
    // Posts the row the name dialog closed on with OK; a new row gets its id first.
    void post();

    Side side_;
};
