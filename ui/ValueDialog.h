#pragma once

#include "ui/TemplateDialog.h"

#include <string>
#include <vector>

class DataSource;
class QLabel;
class TDBEdit;
class TDBText;

// A small dialog of boxes bound to the fields of one row, with OK and Cancel.
// It only closes: its caller posts (OK) or cancels the row.
//
// A box writes to its field as it is typed, but a number the field refuses
// ("abc", "1e999") or one half typed leaves the field with an earlier value the
// box no longer shows. So OK first stores what every box shows, and stays open
// on the first text a field refuses; Cancel forgets what was typed, so that
// closing does not report it either.
class TBoxDialog : public TFormTemplateDialog {
public:
    explicit TBoxDialog(QWidget* parent = nullptr);

    TGraphicButton* BtnCancel;
    TGraphicButton* BtnOk;

    void BtnOkClick();
    void BtnCancelClick();

protected:
    // A box bound to `field` of `source`'s set, at `at` in the dialog's background;
    // `caption` names it in messages.
    TDBEdit* AddBox(DataSource& source, const std::string& field, const QRect& at, const QString& caption = {});
    // OK at `ok`, Cancel beside it.
    void PlaceButtons(QPoint ok);

    void showEvent(QShowEvent* event) override;

private:
    bool storeTypedTexts();

    struct Box {
        TDBEdit* edit;
        DataSource* source;
        std::string field;
    };
    std::vector<Box> boxes_;
};

// One number typed for a named item: "Enter Nutrient Value for" the item's name,
// a box bound to the number, optionally its units after it, OK and Cancel.
class TValueDialog : public TBoxDialog {
public:
    TValueDialog(QWidget* parent, DataSource& source, const std::string& nameField, const std::string& valueField,
                 const std::string& unitsField = {});

    QLabel* LabelTitle;
    QLabel* LabelPrompt;
    TDBText* DBText1;
    TDBEdit* DBEdit1;
    TDBText* DBText2; // the units; null when the dialog shows none
};
