#include "foods/SimpleSearch.h"

#include "foods/DatabaseFood.h"
#include "ui/ErrorGuard.h"
#include "ui/FormParts.h"
#include "ui/GraphicButton.h"
#include "ui/Skin.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

TDialogSimpleSearch* DialogSimpleSearch = nullptr;

namespace {

// The history keeps 255 characters of a keyword: a longer one would later be
// searched cut short from its history node.
constexpr int kKeywordLength = 255;

} // namespace

TDialogSimpleSearch::TDialogSimpleSearch(QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName("DialogSimpleSearch");
    setWindowTitle("Simple Search");
    resize(400, 150);
    QWidget* client = ImgMiddleCenter;
    LabelTitle = captionLabel(client, "Simple Search", {12, 6}, Qt::white, true);
    Label1 = captionLabel(client, "Simple Search (by Keyword):", {16, 44}, Skin::darkGreen(), true);

    EditSearchSimple = new QLineEdit(client);
    EditSearchSimple->setObjectName("EditSearchSimple");
    EditSearchSimple->setMaxLength(kKeywordLength);
    EditSearchSimple->setGeometry(16, 66, 296, 24);
    EditSearchSimple->installEventFilter(this);

    ButtonSearch = imageButton(client, "ImgSearch", {}, {326, 54});
    ButtonSearch->setObjectName("ButtonSearch");
    ButtonSearch->OnClick = [this] { ButtonSearchClick(); };
}

void TDialogSimpleSearch::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    guarded([this] { FormShow(); });
}

void TDialogSimpleSearch::FormShow()
{
    EditSearchSimple->clear();
    EditSearchSimple->setFocus();
}

void TDialogSimpleSearch::ButtonSearchClick()
{
    const std::string keyword = EditSearchSimple->text().toStdString();
    if (keyword.empty())
        return;
    DataModuleFoods->SearchFoodsByKeyword(keyword);
    DataModuleFoods->AddSearchHistory(keyword);
    CloseOk();
}

void TDialogSimpleSearch::EditSearchSimpleKeyPress(char& key)
{
    if (key == 13)
        ButtonSearchClick();
    else if (key == 27)
        CloseCancel();
}

// Enter and Escape are the box's own keys: the window never sees keys typed into it.
bool TDialogSimpleSearch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EditSearchSimple && event->type() == QEvent::KeyPress) {
        const int pressed = static_cast<QKeyEvent*>(event)->key();
        char key = 0;
        if (pressed == Qt::Key_Return || pressed == Qt::Key_Enter)
            key = 13;
        else if (pressed == Qt::Key_Escape)
            key = 27;
        if (key) {
            guarded([this, &key] { EditSearchSimpleKeyPress(key); });
            return true;
        }
    }
    return TFormTemplateDialog::eventFilter(watched, event);
}
