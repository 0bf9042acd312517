#include "recipes/PasteIngredients.h"

#include "ui/DialogParts.h"
#include "ui/GraphicButton.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QShowEvent>

TDialogPasteIngredients::TDialogPasteIngredients(QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName(QStringLiteral("DialogPasteIngredients"));
    setWindowTitle(QStringLiteral("Paste Ingredients"));
    resize(520, 380);
    QWidget* client = ImgMiddleCenter;
    LabelTitle = DialogParts::title(client, QStringLiteral("Paste Ingredients"));
    LabelHint = DialogParts::caption(client,
                                     QStringLiteral("One ingredient per line; headings such as \"For the sauce:\" are skipped."),
                                     {16, 40}, DialogParts::labelColour());
    MemoLines = new QPlainTextEdit(client);
    MemoLines->setObjectName(QStringLiteral("MemoLines"));
    MemoLines->setPlaceholderText(QStringLiteral("2 cups (250 g) plain flour\n1 tsp baking soda\n2 large eggs"));
    MemoLines->setGeometry(16, 60, 478, 236);
    BtnOk = DialogParts::imageButton(client, QStringLiteral("ImgOk"), QStringLiteral("Read and link the lines"),
                                     {390, 306});
    BtnCancel = DialogParts::imageButton(client, QStringLiteral("ImgCancel"), QStringLiteral("Cancel"), {446, 306});
    BtnOk->OnClick = [this] { CloseOk(); };
    BtnCancel->OnClick = [this] { CloseCancel(); };
    RouteKeyPress(MemoLines); // Escape closes; Enter is the memo's own
}

QString TDialogPasteIngredients::Lines() const
{
    return MemoLines->toPlainText();
}

void TDialogPasteIngredients::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    if (!event->spontaneous()) {
        MemoLines->clear();
        MemoLines->setFocus();
    }
}
