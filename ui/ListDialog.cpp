#include "ui/ListDialog.h"

#include "ui/DataControls.h"
#include "ui/FormParts.h"
#include "ui/GraphicButton.h"
#include "ui/Skin.h"

#include <QHeaderView>
#include <QLabel>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 372;

} // namespace

TListDialog::TListDialog(const Setup& setup, QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName(setup.objectName);
    setWindowTitle(setup.title);
    resize(kWidth, kHeight);
    QWidget* client = ImgMiddleCenter;
    LabelTitle = captionLabel(client, setup.title, {12, 6}, Qt::white, true);

    DBGrid1 = new TDBGrid(client);
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->SetColumns({{setup.field, setup.columnTitle, 0}});
    DBGrid1->SetDataSource(setup.source);
    DBGrid1->setGeometry(14, 40, 290, 310);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->SetColors(Skin::gridBackground(), Qt::black, Skin::darkGreen());
    RouteKeyPress(DBGrid1);

    BtnCreate = imageButton(client, "ImgCreate", setup.createHint, {322, 40});
    BtnEdit = imageButton(client, "ImgEdit", setup.editHint, {322, 96});
    BtnDelete = imageButton(client, "ImgDelete", setup.deleteHint, {322, 152});
    BtnOk = imageButton(client, "ImgOk", "Ok", {322, 246});
    BtnCancel = imageButton(client, "ImgCancel", "Cancel", {322, 302});

    BtnCreate->OnClick = [this] { BtnCreateClick(); };
    BtnEdit->OnClick = [this] { BtnEditClick(); };
    BtnDelete->OnClick = [this] { BtnDeleteClick(); };
    BtnOk->OnClick = [this] { BtnOkClick(); };
    BtnCancel->OnClick = [this] { BtnCancelClick(); };
}

void TListDialog::BtnOkClick()
{
    CloseOk();
}

void TListDialog::BtnCancelClick()
{
    CloseCancel();
}

void TListDialog::editRow(const std::function<void()>& begin, TFormTemplateDialog& editor,
                          const std::function<void()>& post, const std::function<void()>& cancel)
{
    try {
        begin();
    } catch (...) {
        cancel(); // a new row whose number could not be read is no row at all
        throw;
    }
    if (editor.ShowModal() != mrOk) {
        cancel();
        return;
    }
    try {
        post();
    } catch (...) {
        cancel();
        throw;
    }
}

void TListDialog::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    DBGrid1->setFocus();
}
