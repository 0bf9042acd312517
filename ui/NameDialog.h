#pragma once

#include "ui/TemplateDialog.h"

#include <string>

class DataSource;
class QLabel;
class TDBEdit;

// A one-field edit dialog: a caption and a data-bound edit on one field of the
// row its caller put in insert or edit state, with OK and Cancel. It has no logic
// of its own: the caller posts the row on OK and cancels it otherwise. The box
// holds no more characters than the field does.
class TNameDialog : public TFormTemplateDialog {
public:
    struct Setup {
        QString objectName;
        QString title; // in the dialog's title band
        QString caption;
        DataSource* source;
        std::string field;
    };

    TNameDialog(const Setup& setup, QWidget* parent = nullptr);

    QLabel* LabelTitle;
    QLabel* Label1;
    TDBEdit* DBEdit1;
    TGraphicButton* BtnOk;
    TGraphicButton* BtnCancel;

    void BtnOkClick();

protected:
    void showEvent(QShowEvent* event) override;
};
