#pragma once

#include "ui/TemplateDialog.h"

#include <functional>
#include <string>

class DataSource;
class QLabel;
class TDBGrid;

// A list dialog: a titled one-column grid over a maintenance set, with Create,
// Edit, Delete, OK and Cancel image buttons. What it creates, renames or deletes
// stays pending in the set; the window that opened it stores (OK) or drops
// (Cancel) the lot. Escape in the grid cancels, as on the window itself.
class TListDialog : public TFormTemplateDialog {
public:
    struct Setup {
        QString objectName;
        QString title;       // in the dialog's title band
        DataSource* source;
        std::string field;   // the grid's one column
        QString columnTitle;
        QString createHint;
        QString editHint;
        QString deleteHint;
    };

    TListDialog(const Setup& setup, QWidget* parent = nullptr);

    QLabel* LabelTitle;
    TDBGrid* DBGrid1;
    TGraphicButton* BtnCreate;
    TGraphicButton* BtnEdit;
    TGraphicButton* BtnDelete;
    TGraphicButton* BtnOk;
    TGraphicButton* BtnCancel;

    virtual void BtnCreateClick() = 0;
    virtual void BtnEditClick() = 0;
    virtual void BtnDeleteClick() = 0;
    void BtnOkClick();
    void BtnCancelClick();

protected:
    // The Begin / Post / Cancel shape of every row the list changes: `begin` puts
    // a row in insert or edit state, `editor` shows it modally, and OK posts it
    // while anything else cancels it. A post the set refuses cancels the row too,
    // so the set is never left half-edited behind the error box.
    static void editRow(const std::function<void()>& begin, TFormTemplateDialog& editor,
                        const std::function<void()>& post, const std::function<void()>& cancel);

    void showEvent(QShowEvent* event) override;
};
