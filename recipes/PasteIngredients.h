#pragma once

#include "ui/TemplateDialog.h"

class QLabel;
class QPlainTextEdit;

// Many ingredient lines at once, as a recipe page or a message writes them: one
// ingredient per line. The recipe wizard reads and links them after OK.
class TDialogPasteIngredients : public TFormTemplateDialog {
public:
    explicit TDialogPasteIngredients(QWidget* parent = nullptr);

    QLabel* LabelTitle;
    QLabel* LabelHint;
    QPlainTextEdit* MemoLines;
    TGraphicButton* BtnOk;
    TGraphicButton* BtnCancel;

    QString Lines() const;

protected:
    void showEvent(QShowEvent* event) override;
};
