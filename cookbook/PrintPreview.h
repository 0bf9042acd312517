#pragma once

#include "cookbook/PagedDocument.h"
#include "ui/TemplateDialog.h"

#include <QImage>
#include <QString>

#include <functional>

class QLabel;
class QPrinter;

// Lays a document out on the paper it is given: the locale's for the preview and
// for PDF, the printer's for printing.
using DocumentLayout = std::function<PagedDocument(const PageSetup&)>;

// The document as a PDF file, written whole or not at all; throws ProgramError
// when the file cannot be written.
void saveDocumentPdf(const PagedDocument& document, const QString& file);
// The document laid out on the printer's paper and printed, only the pages the
// print dialog chose when it chose some; throws ProgramError when none of those
// pages is in the document or the printer does not start.
void printDocument(const DocumentLayout& layout, QPrinter& printer);
// A page as a picture `width` pixels wide, on white.
QImage renderPage(const PagedDocument& document, int page, int width);

// The pages before they print: one page at a time, Prev and Next to turn them,
// and image buttons to print and to save as PDF.
class TDialogPrintPreview : public TFormTemplateDialog {
public:
    explicit TDialogPrintPreview(QWidget* parent = nullptr);

    QLabel* LabelTitle;
    QWidget* PageView; // paints the page shown
    QLabel* LabelPage; // "Page 2 of 5"
    TGraphicButton* BtnPrev;
    TGraphicButton* BtnNext;
    TGraphicButton* BtnPrint;
    TGraphicButton* BtnSavePdf;
    TGraphicButton* BtnClose;

    // Shows `layout`'s pages under `title`; `fileName` is offered when saving.
    void Preview(const QString& title, const DocumentLayout& layout, const QString& fileName);
    const PagedDocument& Document() const { return document_; }
    int PageShown() const { return page_; }

    void BtnPrevClick();
    void BtnNextClick();
    void BtnPrintClick();
    void BtnSavePdfClick();

    // Seams. The print dialog sets the printer up and returns true to print; the
    // file dialog returns the chosen file, or nothing when cancelled.
    static std::function<bool(QPrinter&, QWidget* owner)> PrintDialogHook;
    static std::function<QString(QWidget* owner, const QString& suggested)> SaveFileNameHook;

private:
    void showPage(int page);

    DocumentLayout layout_;
    PagedDocument document_;
    QString fileName_;
    int page_ = 0;
};

// A file name from a recipe's or a list's name ("Chicken and Rice.pdf").
QString pdfFileName(const QString& name);
// Asks for a file through the preview's file seam and saves `layout` on the
// locale's paper there; false when the user cancelled.
bool saveLayoutAsPdf(QWidget* owner, const DocumentLayout& layout, const QString& suggestedName);
