#include "ui/NameDialog.h"

#include "ui/DataControls.h"
#include "ui/FormParts.h"
#include "ui/GraphicButton.h"
#include "ui/Skin.h"

#include <QLabel>

TNameDialog::TNameDialog(const Setup& setup, QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName(setup.objectName);
    setWindowTitle(setup.title);
    resize(400, 168);
    QWidget* client = ImgMiddleCenter;
    LabelTitle = captionLabel(client, setup.title, {12, 6}, Qt::white, true);
    Label1 = captionLabel(client, setup.caption, {16, 44}, Skin::darkGreen(), true);

    DBEdit1 = new TDBEdit(client);
    DBEdit1->setObjectName("DBEdit1");
    DBEdit1->SetDataSource(setup.source);
    DBEdit1->SetDataField(setup.field);
    DBEdit1->setGeometry(16, 62, 358, 24);

    BtnOk = imageButton(client, "ImgOk", "Ok", {270, 100});
    BtnCancel = imageButton(client, "ImgCancel", "Cancel", {326, 100});
    BtnOk->OnClick = [this] { BtnOkClick(); };
    BtnCancel->OnClick = [this] { GraphicButton1Click(); };
}

void TNameDialog::BtnOkClick()
{
    CloseOk();
}

void TNameDialog::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    DBEdit1->setFocus();
    DBEdit1->selectAll();
}
