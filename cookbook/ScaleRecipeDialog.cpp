#include "cookbook/ScaleRecipeDialog.h"

#include "kitchen/NumberReader.h"
#include "seams/Messages.h"
#include "ui/DialogParts.h"
#include "ui/GraphicButton.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>
#include <utility>

namespace {

// A whole text as a cook's number: "2", "1.5", "1,5", "½", "1 1/2"; nothing otherwise.
std::optional<double> typedCookNumber(const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const auto number = readNumber(text, 0);
    if (!number || number->end != text.size() || !std::isfinite(number->value))
        return std::nullopt;
    return number->value;
}

QString numberText(double value)
{
    return QString::number(value, 'g', 12);
}

} // namespace

TDialogScaleRecipe::TDialogScaleRecipe(QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName(QStringLiteral("DialogScaleRecipe"));
    setWindowTitle(QStringLiteral("Scale Recipe"));
    resize(470, 300);
    QWidget* client = ImgMiddleCenter;
    const QColor labels = DialogParts::labelColour();
    LabelTitle = DialogParts::title(client, QStringLiteral("Scale Recipe"));
    LabelRecipe = DialogParts::caption(client, {}, {20, 44}, labels, true);
    LabelRecipe->setGeometry(20, 44, 420, 20);
    LabelRecipe->setTextFormat(Qt::PlainText);

    RadioServes = new QRadioButton(QStringLiteral("To a number of serves:"), client);
    RadioServes->setObjectName(QStringLiteral("RadioServes"));
    RadioServes->setGeometry(20, 74, 190, 22);
    EditServes = new QLineEdit(client);
    EditServes->setObjectName(QStringLiteral("EditServes"));
    EditServes->setGeometry(220, 74, 80, 22);
    RadioFactor = new QRadioButton(QStringLiteral("By a factor:"), client);
    RadioFactor->setObjectName(QStringLiteral("RadioFactor"));
    RadioFactor->setGeometry(20, 104, 190, 22);
    ComboFactor = new QComboBox(client);
    ComboFactor->setObjectName(QStringLiteral("ComboFactor"));
    ComboFactor->setEditable(true);
    ComboFactor->addItems({QStringLiteral("½"), QStringLiteral("2"), QStringLiteral("3")});
    ComboFactor->setGeometry(220, 104, 80, 22);
    // Choosing a box chooses its way of scaling.
    QObject::connect(EditServes, &QLineEdit::textEdited, RadioServes, [this] { RadioServes->setChecked(true); });
    QObject::connect(ComboFactor, &QComboBox::editTextChanged, RadioFactor, [this] { RadioFactor->setChecked(true); });

    RadioNewRecipe = new QRadioButton(QStringLiteral("As a new recipe"), client);
    RadioNewRecipe->setObjectName(QStringLiteral("RadioNewRecipe"));
    RadioNewRecipe->setGeometry(20, 142, 420, 22);
    RadioItself = new QRadioButton(QStringLiteral("Change this recipe itself"), client);
    RadioItself->setObjectName(QStringLiteral("RadioItself"));
    RadioItself->setGeometry(20, 168, 420, 22);
    RadioNewRecipe->setChecked(true);
    // Two separate choices: how to scale, and where the result goes.
    for (auto pair : {std::pair{RadioServes, RadioFactor}, std::pair{RadioNewRecipe, RadioItself}}) {
        auto* group = new QButtonGroup(client);
        group->addButton(pair.first);
        group->addButton(pair.second);
    }

    LabelHint = DialogParts::caption(client,
                                     QStringLiteral("Quantities, links and totals are multiplied; "
                                                    "the recipe wizard shows the result before OK stores it."),
                                     {20, 198}, labels);
    LabelHint->setWordWrap(true);
    LabelHint->setGeometry(20, 198, 420, 36);
    BtnOk = DialogParts::imageButton(client, QStringLiteral("ImgOk"), QStringLiteral("Scale"), {340, 222});
    BtnCancel = DialogParts::imageButton(client, QStringLiteral("ImgCancel"), QStringLiteral("Cancel"), {396, 222});
    BtnOk->OnClick = [this] { BtnOkClick(); };
    BtnCancel->OnClick = [this] { CloseCancel(); };
    RouteKeyPress(EditServes);
}

void TDialogScaleRecipe::Offer(const SqliteDatabase& db, std::int64_t recipeId, const QString& name,
                               std::optional<double> serves)
{
    db_ = &db;
    recipeId_ = recipeId;
    scaled_.reset();
    const bool hasServes = serves && *serves > 0;
    LabelRecipe->setText(hasServes ? QStringLiteral("%1 \u2014 serves %2").arg(name, numberText(*serves)) : name);
    EditServes->setText(hasServes ? numberText(*serves * 2) : QString());
    RadioServes->setEnabled(hasServes);
    EditServes->setEnabled(hasServes);
    ComboFactor->setCurrentIndex(1);
    (hasServes ? RadioServes : RadioFactor)->setChecked(true);
    RadioNewRecipe->setChecked(true);
}

bool TDialogScaleRecipe::Itself() const
{
    return RadioItself->isChecked();
}

void TDialogScaleRecipe::BtnOkClick()
{
    const bool byServes = RadioServes->isChecked();
    QWidget* box = byServes ? static_cast<QWidget*>(EditServes) : ComboFactor;
    const QString typed = byServes ? EditServes->text() : ComboFactor->currentText();
    const auto number = typedCookNumber(typed);
    if (!number) {
        showMessage(byServes ? "Serves: \"" + typed.toStdString() + "\" is not a number."
                             : std::string(kScaleFactorMessage));
        box->setFocus();
        return;
    }
    ScaleResult result = scaleStoredRecipe(*db_, recipeId_,
                                           {byServes ? ScaleTarget::Kind::Serves : ScaleTarget::Kind::Factor, *number});
    if (!result.recipe) {
        showMessage(result.refusal);
        box->setFocus();
        return;
    }
    scaled_ = std::move(result.recipe);
    CloseOk();
}
