#pragma once

class RecordSet;
class TFormTemplateDialog;

// Shows `dialog` over the row `set` is appending or editing: OK posts the row,
// anything else cancels it. A dialog or a post that fails cancels the row too, so
// the set is never left half-edited behind the error box.
void runRowDialog(RecordSet& set, TFormTemplateDialog& dialog);
