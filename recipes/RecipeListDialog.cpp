#include "recipes/RecipeListDialog.h"

#include "store/RecordSet.h"

TRecipeListDialog::TRecipeListDialog(Side side, QWidget* parent)
    : TListDialog(side.list, parent), side_(std::move(side))
{
}

void TRecipeListDialog::post()
{
    RecordSet& set = *side_.set;
    if (set.state() == DataSetState::Insert && side_.numberNewRow)
        side_.numberNewRow(set);
    set.post();
}

void TRecipeListDialog::BtnCreateClick()
{
    RecordSet& set = *side_.set;
    editRow([&] { set.append(); }, side_.editor(), [this] { post(); }, [&] { set.cancel(); });
}

void TRecipeListDialog::BtnEditClick()
{
    RecordSet& set = *side_.set;
    // On an empty list there is nothing to rename: the edit starts a new row,
    // which is numbered as a created one is.
    editRow(
        [&] {
            if (set.isEmpty())
                set.append();
            else
                set.edit();
        },
        side_.editor(), [this] { post(); }, [&] { set.cancel(); });
}

void TRecipeListDialog::BtnDeleteClick()
{
    side_.deleteCurrent();
}
