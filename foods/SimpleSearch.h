#pragma once

#include "ui/TemplateDialog.h"

class QLabel;
class QLineEdit;

// Asks for a keyword and searches the foods for it. A search that ran is added to
// the search history and closes the dialog with OK; the caller then shows the
// results. An empty box searches nothing and the dialog stays open.
class TDialogSimpleSearch : public TFormTemplateDialog {
public:
    explicit TDialogSimpleSearch(QWidget* parent = nullptr);

    QLabel* LabelTitle;
    QLabel* Label1;
    QLineEdit* EditSearchSimple;
    TGraphicButton* ButtonSearch;

    void FormShow();
    virtual void ButtonSearchClick();
    void EditSearchSimpleKeyPress(char& key);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TDialogSimpleSearch* DialogSimpleSearch;
