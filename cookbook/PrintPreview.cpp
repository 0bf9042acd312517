#include "cookbook/PrintPreview.h"

#include "store/ProgramError.h"
#include "ui/DialogParts.h"
#include "ui/ErrorGuard.h"
#include "ui/GraphicButton.h"
#include "ui/Skin.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <numeric>
#include <vector>

std::function<bool(QPrinter&, QWidget*)> TDialogPrintPreview::PrintDialogHook = [](QPrinter& printer, QWidget* owner) {
    QPrintDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
};

std::function<QString(QWidget*, const QString&)> TDialogPrintPreview::SaveFileNameHook =
    [](QWidget* owner, const QString& suggested) {
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Save as PDF"), suggested,
                                            QStringLiteral("PDF files (*.pdf)"));
    };

namespace {

// The page, white, scaled to fit the widget and centred in it, with a thin shadow.
class PageViewWidget : public QWidget {
public:
    PageViewWidget(QWidget* parent, const TDialogPrintPreview& dialog) : QWidget(parent), dialog_(dialog) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Skin::gridBackground());
        const PagedDocument& document = dialog_.Document();
        if (document.pages.empty())
            return;
        const QSizeF paper = document.setup.paper;
        const double scale = std::min((width() - 16) / paper.width(), (height() - 16) / paper.height());
        const QSizeF shown = paper * scale;
        const QPointF at((width() - shown.width()) / 2, (height() - shown.height()) / 2);
        p.fillRect(QRectF(at + QPointF(3, 3), shown), QColor(0, 0, 0, 60));
        p.fillRect(QRectF(at, shown), Qt::white);
        p.translate(at);
        p.scale(scale, scale);
        document.paintPage(p, dialog_.PageShown());
    }

private:
    const TDialogPrintPreview& dialog_;
};

// Paints `pages` (indexes into the document) one a sheet.
void paintPages(const PagedDocument& document, const std::vector<int>& pages, QPainter& painter,
                QPagedPaintDevice& device, double dpi)
{
    painter.scale(dpi / 72.0, dpi / 72.0);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        document.paintPage(painter, pages[i]);
    }
}

std::vector<int> allPages(const PagedDocument& document)
{
    std::vector<int> pages(document.pages.size());
    std::iota(pages.begin(), pages.end(), 0);
    return pages;
}

// The pages the print dialog asked for ("2-3, 5"), or every page.
std::vector<int> chosenPages(const QPrinter& printer, const PagedDocument& document)
{
    const QPageRanges ranges = printer.pageRanges();
    if (printer.printRange() != QPrinter::PageRange || ranges.isEmpty())
        return allPages(document);
    std::vector<int> pages;
    for (int page = 0; page < static_cast<int>(document.pages.size()); ++page)
        if (ranges.contains(page + 1))
            pages.push_back(page);
    if (pages.empty())
        throw ProgramError(QStringLiteral("Nothing was printed: the pages chosen (%1) are not among the document's %2 pages.")
                               .arg(ranges.toString())
                               .arg(document.pages.size())
                               .toStdString());
    return pages;
}

} // namespace

void saveDocumentPdf(const PagedDocument& document, const QString& file)
{
    const auto failed = [&file](const QString& why) {
        return ProgramError(("The PDF was not saved: " + file + " could not be written (" + why + ").").toStdString());
    };
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw failed(out.errorString());
    {
        QPdfWriter writer(&out);
        writer.setTitle(document.title);
        writer.setCreator(QStringLiteral("Saporia"));
        writer.setPageLayout(QPageLayout(QPageSize(document.setup.paper, QPageSize::Point), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer))
            throw failed(QStringLiteral("the PDF could not be started"));
        paintPages(document, allPages(document), painter, writer, writer.resolution());
        if (!painter.end())
            throw failed(QStringLiteral("the PDF could not be finished"));
    }
    if (!out.commit())
        throw failed(out.errorString());
}

void printDocument(const DocumentLayout& layout, QPrinter& printer)
{
    printer.setFullPage(true); // the layout keeps its own margins
    const PagedDocument document = layout(pageSetupFor(printer.pageLayout().fullRectPoints().size()));
    const std::vector<int> pages = chosenPages(printer, document);
    QPainter painter;
    if (!painter.begin(&printer))
        throw ProgramError("The pages could not be printed: the printer did not start.");
    paintPages(document, pages, painter, printer, printer.resolution());
    painter.end();
}

QImage renderPage(const PagedDocument& document, int page, int width)
{
    const QSizeF paper = document.setup.paper;
    const double scale = width / paper.width();
    QImage image(QSize(width, static_cast<int>(paper.height() * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    document.paintPage(painter, page);
    return image;
}

QString pdfFileName(const QString& name)
{
    QString file = name.trimmed();
    for (QChar& c : file)
        if (QStringLiteral("/\\:*?\"<>|").contains(c))
            c = u'-';
    return (file.isEmpty() ? QStringLiteral("Recipes") : file) + QStringLiteral(".pdf");
}

bool saveLayoutAsPdf(QWidget* owner, const DocumentLayout& layout, const QString& suggestedName)
{
    QString file = TDialogPrintPreview::SaveFileNameHook(owner, pdfFileName(suggestedName));
    if (file.isEmpty())
        return false;
    if (QFileInfo(file).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) != 0)
        file += QStringLiteral(".pdf");
    saveDocumentPdf(layout(localPageSetup()), file);
    return true;
}

TDialogPrintPreview::TDialogPrintPreview(QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName(QStringLiteral("DialogPrintPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    resize(600, 720);
    QWidget* client = ImgMiddleCenter;
    LabelTitle = DialogParts::title(client, QStringLiteral("Print Preview"));
    PageView = new PageViewWidget(client, *this);
    PageView->setObjectName(QStringLiteral("PageView"));
    PageView->setGeometry(12, Skin::kDialogTitleBand + 8, 500, 620);
    const int buttons = PageView->geometry().right() + 12;
    const int top = PageView->y();
    BtnPrint = DialogParts::imageButton(client, QStringLiteral("ImgPrint"), QStringLiteral("Print"), {buttons, top});
    BtnSavePdf = DialogParts::imageButton(client, QStringLiteral("ImgPdf"), QStringLiteral("Save as PDF"),
                                          {buttons, top + 56});
    BtnPrev = DialogParts::imageButton(client, QStringLiteral("ImgPrev"), QStringLiteral("Previous page"),
                                       {buttons, top + 150});
    BtnNext = DialogParts::imageButton(client, QStringLiteral("ImgNext"), QStringLiteral("Next page"),
                                       {buttons, top + 206});
    LabelPage = DialogParts::caption(client, {}, {buttons - 6, top + 262}, DialogParts::labelColour(), true);
    LabelPage->setGeometry(buttons - 8, top + 262, 64, 36);
    LabelPage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LabelPage->setWordWrap(true);
    BtnClose = DialogParts::imageButton(client, QStringLiteral("ImgOk"), QStringLiteral("Close"),
                                        {buttons, PageView->geometry().bottom() - 47});
    BtnPrint->setObjectName(QStringLiteral("BtnPrint"));
    BtnSavePdf->setObjectName(QStringLiteral("BtnSavePdf"));
    BtnPrev->setObjectName(QStringLiteral("BtnPrev"));
    BtnNext->setObjectName(QStringLiteral("BtnNext"));
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnPrint->OnClick = [this] { guarded([this] { BtnPrintClick(); }); };
    BtnSavePdf->OnClick = [this] { guarded([this] { BtnSavePdfClick(); }); };
    BtnPrev->OnClick = [this] { BtnPrevClick(); };
    BtnNext->OnClick = [this] { BtnNextClick(); };
    BtnClose->OnClick = [this] { CloseOk(); };
    resize(buttons + 48 + 12 + 10, PageView->geometry().bottom() + 12 + 10);
}

void TDialogPrintPreview::Preview(const QString& title, const DocumentLayout& layout, const QString& fileName)
{
    // The title band holds the name, cut with "..." when it is longer than the band.
    LabelTitle->setTextFormat(Qt::PlainText);
    LabelTitle->setText(LabelTitle->fontMetrics().elidedText(title, Qt::ElideRight, width() - 60));
    LabelTitle->adjustSize();
    layout_ = layout;
    fileName_ = fileName;
    document_ = layout(localPageSetup());
    showPage(0);
}

void TDialogPrintPreview::showPage(int page)
{
    const int count = static_cast<int>(document_.pages.size());
    page_ = std::clamp(page, 0, std::max(0, count - 1));
    LabelPage->setText(QStringLiteral("Page %1 of %2").arg(page_ + 1).arg(count));
    BtnPrev->setEnabled(page_ > 0);
    BtnNext->setEnabled(page_ + 1 < count);
    for (TGraphicButton* turn : {BtnPrev, BtnNext})
        turn->setVisible(count > 1); // one page has nothing to turn
    PageView->update();
}

void TDialogPrintPreview::BtnPrevClick()
{
    showPage(page_ - 1);
}

void TDialogPrintPreview::BtnNextClick()
{
    showPage(page_ + 1);
}

void TDialogPrintPreview::BtnPrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document_.title);
    printer.setPageSize(QPageSize(document_.setup.paper, QPageSize::Point));
    if (PrintDialogHook(printer, this))
        printDocument(layout_, printer);
}

void TDialogPrintPreview::BtnSavePdfClick()
{
    saveLayoutAsPdf(this, layout_, fileName_);
}
