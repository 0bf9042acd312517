#include "ui/RowDialog.h"

#include "store/RecordSet.h"
#include "ui/TemplateDialog.h"

void runRowDialog(RecordSet& set, TFormTemplateDialog& dialog)
{
    try {
        if (dialog.ShowModal() == mrOk)
            set.post();
        else
            set.cancel();
    } catch (...) {
        set.cancel();
        throw;
    }
}
