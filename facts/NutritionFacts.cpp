#include "facts/NutritionFacts.h"

#include "facts/LabelPainter.h"
#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "store/ProgramError.h"
#include "ui/DialogParts.h"
#include "ui/ErrorGuard.h"
#include "ui/Skin.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

#include <algorithm>

namespace {

// The label on white, as large as the view allows.
class LabelViewWidget : public QWidget {
public:
    LabelViewWidget(QWidget* parent, const NutritionLabel& label) : QWidget(parent), painter_(label) {}

    static constexpr int kMargin = 10;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        painter_.paintFitted(p, QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin));
    }

private:
    NutritionLabelPainter painter_;
};

// The label at the top of a page whose printable `area` is in device pixels of
// `dpi` dots per inch: at its own size in points, shrunk only to fit a smaller page.
void paintOnPage(QPainter& painter, const NutritionLabel& label, const QRectF& area, double dpi)
{
    const NutritionLabelPainter labelPainter(label);
    const QSizeF natural = labelPainter.size() * (dpi / 72.0);
    labelPainter.paintFitted(painter, QRectF(area.left(), area.top(), area.width(),
                                             std::min(natural.height(), area.height())));
}

QString suggestedFileName(const std::string& name)
{
    QString file = QString::fromStdString(name).simplified();
    for (QChar& c : file)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|')
            c = '-';
    return (file.isEmpty() ? QStringLiteral("Nutrition Facts") : file) + ".pdf";
}

void showLabel(const NutritionLabel& label)
{
    TDialogNutritionFacts dialog(nullptr, label);
    dialog.ShowModal();
}

} // namespace

std::function<bool(QPrinter&, QWidget*)> TDialogNutritionFacts::PrintDialogHook = [](QPrinter& printer,
                                                                                       QWidget* owner) {
    QPrintDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
};

std::function<QString(QWidget*, const QString&)> TDialogNutritionFacts::SaveFileNameHook =
    [](QWidget* owner, const QString& suggested) {
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Save Nutrition Facts as PDF"), suggested,
                                            QStringLiteral("PDF files (*.pdf)"));
    };

TDialogNutritionFacts::TDialogNutritionFacts(QWidget* parent, NutritionLabel label)
    : TFormTemplateDialog(parent), label_(std::move(label))
{
    setObjectName(QStringLiteral("DialogNutritionFacts"));
    setWindowTitle(QStringLiteral("Nutrition Facts"));
    QWidget* client = ImgMiddleCenter;
    LabelTitle = DialogParts::title(client, QStringLiteral("Nutrition Facts"));

    // On screen a little larger than printed, unless the screen is too short for it.
    const QSizeF natural = NutritionLabelPainter(label_).size();
    double scale = 1.25;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        scale = std::clamp((screen->availableGeometry().height() - 90.0 - 2 * LabelViewWidget::kMargin) /
                               natural.height(), 0.8, scale);
    const QSize view(static_cast<int>(natural.width() * scale) + 2 * LabelViewWidget::kMargin,
                     static_cast<int>(natural.height() * scale) + 2 * LabelViewWidget::kMargin);
    LabelView = new LabelViewWidget(client, label_);
    LabelView->setObjectName(QStringLiteral("LabelView"));
    LabelView->setGeometry(12, Skin::kDialogTitleBand + 8, view.width(), view.height());

    const int buttonsLeft = LabelView->geometry().right() + 12;
    BtnPrint = DialogParts::imageButton(client, QStringLiteral("ImgPrint"), QStringLiteral("Print the label"),
                                        {buttonsLeft, LabelView->y()});
    BtnSavePdf = DialogParts::imageButton(client, QStringLiteral("ImgPdf"), QStringLiteral("Save the label as PDF"),
                                          {buttonsLeft, BtnPrint->geometry().bottom() + 8});
    BtnPrint->setObjectName(QStringLiteral("BtnPrint"));
    BtnSavePdf->setObjectName(QStringLiteral("BtnSavePdf"));
    BtnPrint->OnClick = [this] { guarded([this] { BtnPrintClick(); }); };
    BtnSavePdf->OnClick = [this] { guarded([this] { BtnSavePdfClick(); }); };

    // The frame adds 5 pixels on each side.
    resize(BtnPrint->geometry().right() + 12 + 10, LabelView->geometry().bottom() + 12 + 10);
}

TDialogNutritionFacts::~TDialogNutritionFacts() = default;

void TDialogNutritionFacts::BtnPrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(label_.name));
    if (PrintDialogHook(printer, this))
        printNutritionLabel(label_, printer);
}

void TDialogNutritionFacts::BtnSavePdfClick()
{
    QString file = SaveFileNameHook(this, suggestedFileName(label_.name));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().compare("pdf", Qt::CaseInsensitive) != 0)
        file += ".pdf";
    saveNutritionLabelPdf(label_, file);
}

void printNutritionLabel(const NutritionLabel& label, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw ProgramError("The label could not be printed: the printer did not start.");
    paintOnPage(painter, label, QRectF(0, 0, printer.width(), printer.height()), printer.resolution());
    painter.end();
}

void saveNutritionLabelPdf(const NutritionLabel& label, const QString& file)
{
    const auto failed = [&file] {
        return ProgramError("The label could not be saved as " + file.toStdString() + ": the file cannot be written.");
    };
    {
        QPdfWriter writer(file);
        writer.setTitle(QString::fromStdString(label.name) + " - Nutrition Facts");
        writer.setCreator(QStringLiteral("Saporia"));
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(36, 36, 36, 36), QPageLayout::Point);
        QPainter painter;
        if (!painter.begin(&writer))
            throw failed();
        paintOnPage(painter, label, QRectF(0, 0, writer.width(), writer.height()), writer.resolution());
        if (!painter.end())
            throw failed();
    }
    if (QFileInfo(file).size() <= 0)
        throw failed();
}

void ShowRecipeNutritionFacts(std::int32_t recipeId)
{
    showLabel(recipeLabel(DataModuleRecipes->DatabaseRecipe.sqlite(), recipeId));
}

void ShowDisplayedRecipeNutritionFacts()
{
    RecordSet* shown = DataModuleRecipes->dscDisplayRecipes.dataSet();
    if (!shown || shown->isEmpty())
        return;
    ShowRecipeNutritionFacts(static_cast<std::int32_t>(shown->fieldByName("R_ID").asInteger()));
}

void ShowFoodNutritionFacts(std::int32_t food, std::optional<std::int32_t> weightId, double amount)
{
    showLabel(foodLabel(DataModuleFoods->DatabaseFoods.sqlite(), food, weightId, amount));
}
