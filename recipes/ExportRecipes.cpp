#include "recipes/ExportRecipes.h"

#include "ui/DialogParts.h"
#include "ui/GraphicButton.h"

#include <QLabel>
#include <QRadioButton>

TDialogExportRecipes::TDialogExportRecipes(QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName(QStringLiteral("DialogExportRecipes"));
    setWindowTitle(QStringLiteral("Export Recipes"));
    resize(460, 250);
    QWidget* client = ImgMiddleCenter;
    LabelTitle = DialogParts::title(client, QStringLiteral("Export Recipes"));
    RadioSelected = new QRadioButton(client);
    RadioSelected->setObjectName(QStringLiteral("RadioSelected"));
    RadioSelected->setGeometry(20, 46, 410, 22);
    RadioShown = new QRadioButton(client);
    RadioShown->setObjectName(QStringLiteral("RadioShown"));
    RadioShown->setGeometry(20, 74, 410, 22);
    LabelHint = DialogParts::caption(client,
                                     QStringLiteral("Written as one JSON-LD file (.jsonld), with every ingredient line, "
                                                    "its link and the totals: Saporia imports it back exactly, "
                                                    "and other recipe programs read it too."),
                                     {20, 108}, DialogParts::labelColour());
    LabelHint->setWordWrap(true);
    LabelHint->setGeometry(20, 108, 410, 52);
    BtnOk = DialogParts::imageButton(client, QStringLiteral("ImgOk"), QStringLiteral("Choose the file and export"),
                                     {330, 170});
    BtnCancel = DialogParts::imageButton(client, QStringLiteral("ImgCancel"), QStringLiteral("Cancel"), {386, 170});
    BtnOk->OnClick = [this] { CloseOk(); };
    BtnCancel->OnClick = [this] { CloseCancel(); };
}

void TDialogExportRecipes::Offer(const QString& selectedName, int shownCount, const QString& shownWhat)
{
    RadioSelected->setText(QStringLiteral("The selected recipe: %1").arg(selectedName));
    RadioShown->setText(shownCount == 1 ? QStringLiteral("The 1 recipe of %1").arg(shownWhat)
                                        : QStringLiteral("All %1 recipes of %2").arg(shownCount).arg(shownWhat));
    RadioShown->setEnabled(shownCount > 1);
    (shownCount > 1 ? RadioShown : RadioSelected)->setChecked(true);
}

bool TDialogExportRecipes::AllShown() const
{
    return RadioShown->isChecked();
}
