#include "ui/ValueDialog.h"

#include "store/Amount.h"
#include "store/RecordSet.h"
#include "store/Text.h"
#include "ui/DataControls.h"
#include "ui/DialogParts.h"
#include "ui/ErrorGuard.h"

#include <QLabel>

TBoxDialog::TBoxDialog(QWidget* parent) : TFormTemplateDialog(parent)
{
    BtnOk = DialogParts::imageButton(ImgMiddleCenter, QStringLiteral("ImgOk"), {}, {});
    BtnCancel = DialogParts::imageButton(ImgMiddleCenter, QStringLiteral("ImgCancel"), {}, {});
    BtnOk->OnClick = [this] { BtnOkClick(); };
    BtnCancel->OnClick = [this] { BtnCancelClick(); };
}

TDBEdit* TBoxDialog::AddBox(DataSource& source, const std::string& field, const QRect& at, const QString& caption)
{
    auto* edit = new TDBEdit(ImgMiddleCenter);
    edit->SetCaption(caption);
    edit->SetDataSource(&source);
    edit->SetDataField(field);
    edit->setGeometry(at);
    boxes_.push_back({edit, &source, field});
    return edit;
}

void TBoxDialog::PlaceButtons(QPoint ok)
{
    BtnOk->move(ok);
    BtnCancel->move(ok + QPoint(BtnOk->width() + 8, 0));
}

bool TBoxDialog::storeTypedTexts()
{
    if (TDBEdit* refused = firstRefusedNumberBox(this)) {
        refused->StoreTypedNumber(); // says why and keeps the focus there
        return false;
    }
    // Every write refreshes all boxes of the row from their fields, which would
    // put back the earlier value of a box whose text was refused: read them first.
    std::vector<QString> typed;
    for (const Box& box : boxes_)
        typed.push_back(box.edit->text());
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const Box& box = boxes_[i];
        RecordSet* set = box.source->dataSet();
        if (!set || (set->state() != DataSetState::Edit && set->state() != DataSetState::Insert))
            continue;
        const std::string text = typed[i].toStdString();
        const bool stored = guarded([&] {
            Field& field = set->fieldByName(box.field);
            const auto number = readTypedNumber(text);
            if (trimmed(text).empty())
                field.clear();
            else if (field.isNumeric() && number)
                field.setAsFloat(*number);
            else
                field.setAsString(text);
        });
        if (!stored) {
            box.edit->setText(typed[i]);
            box.edit->setFocus();
            box.edit->selectAll();
            return false;
        }
    }
    return true;
}

void TBoxDialog::BtnOkClick()
{
    if (storeTypedTexts())
        CloseOk();
}

void TBoxDialog::BtnCancelClick()
{
    CloseCancel();
}

void TBoxDialog::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    if (!boxes_.empty()) {
        boxes_.front().edit->setFocus();
        boxes_.front().edit->selectAll();
    }
}

TValueDialog::TValueDialog(QWidget* parent, DataSource& source, const std::string& nameField,
                           const std::string& valueField, const std::string& unitsField)
    : TBoxDialog(parent)
{
    resize(360, 142);
    QWidget* client = ImgMiddleCenter;
    LabelTitle = DialogParts::title(client, QStringLiteral("Nutrient Value"));
    LabelPrompt = DialogParts::caption(client, QStringLiteral("Enter Nutrient Value for "), {12, 40},
                                       DialogParts::labelColour());

    DBText1 = new TDBText(client);
    DBText1->SetDataSource(&source);
    DBText1->SetDataField(nameField);
    QFont bold = DBText1->font();
    bold.setBold(true);
    DBText1->setFont(bold);
    DBText1->setGeometry(LabelPrompt->x() + LabelPrompt->width(), LabelPrompt->y(),
                         width() - 10 - 12 - LabelPrompt->x() - LabelPrompt->width(), LabelPrompt->height());

    DBEdit1 = AddBox(source, valueField, {12, 66, 110, 22}, QStringLiteral("Nutrient Value:"));
    DBText2 = nullptr;
    if (!unitsField.empty()) {
        DBText2 = new TDBText(client);
        DBText2->SetDataSource(&source);
        DBText2->SetDataField(unitsField);
        DBText2->setGeometry(128, 66, 80, 22);
    }
    PlaceButtons({234, 76});
}
