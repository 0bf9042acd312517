#pragma once

#include "ui/TemplateDialog.h"

class QLabel;
class QRadioButton;

// Which recipes an export writes: the one selected in the recipe list, or all
// that the list shows (a cuisine, a type, every recipe).
class TDialogExportRecipes : public TFormTemplateDialog {
public:
    explicit TDialogExportRecipes(QWidget* parent = nullptr);

    QLabel* LabelTitle;
    QLabel* LabelHint;
    QRadioButton* RadioSelected;
    QRadioButton* RadioShown;
    TGraphicButton* BtnOk;
    TGraphicButton* BtnCancel;

    // Offers the two choices; the list's choice is taken when it holds more than one.
    void Offer(const QString& selectedName, int shownCount, const QString& shownWhat);
    bool AllShown() const;
};
