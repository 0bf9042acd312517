#pragma once

#include "facts/LabelValues.h"

#include <QColor>
#include <QFont>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

// A page's paper and margins, in points (1/72 inch).
struct PageSetup {
    QSizeF paper;
    QMarginsF margins;

    QRectF body() const { return QRectF(QPointF(margins.left(), margins.top()), paper.shrunkBy(margins)); }
};

// A4, or Letter where the locale's country uses it (the Americas' Letter countries).
PageSetup localPageSetup();
PageSetup pageSetupFor(const QSizeF& paperInPoints);

// One thing placed on a page, in points from the paper's top left corner.
struct PageItem {
    enum class Kind { Text, TickBox, Rule, Label };
    Kind kind = Kind::Text;
    QRectF rect;
    QString text;
    QFont font;
    QColor colour;
    int label = -1; // the document's label drawn in `rect`
};

struct Page {
    std::vector<PageItem> items;
};

// Pages laid out once and painted on any device: the screen's preview, a printer
// and a PDF file all draw the same items.
struct PagedDocument {
    PageSetup setup;
    QString title;
    std::vector<Page> pages;
    std::vector<NutritionLabel> labels;

    // Paints page `index` with the painter's unit as one point.
    void paintPage(QPainter& painter, int index) const;
};

// Lays text out down the body of the page, a new page when the next line does not
// fit, with a running header on the pages that continue a part.
class PageFlow {
public:
    explicit PageFlow(PagedDocument& document);

    enum class Style { Title, Subtitle, Heading, Subheading, Body, Small, Header };
    static QFont font(Style style);
    static QColor colour(Style style);

    // Starts a new page, unless the current one is still empty.
    void newPage();
    // The header on the pages after this one, until the next part begins: the
    // part's name left, "Page N" right.
    void beginPart(const QString& name);
    int pageNumber() const { return static_cast<int>(document_.pages.size()); } // of the current page, from 1

    // A paragraph wrapped to the body's width less `indent`, after `spaceBefore`.
    void paragraph(const QString& text, Style style, double spaceBefore = 0, double indent = 0);
    // A numbered step: the number in the margin of the paragraph ("12."), the text beside it.
    void step(const QString& number, const QString& text, double spaceBefore);
    // A line with an empty box before it, to tick off.
    void tickLine(const QString& text);
    // A heading kept on the page of the lines after it, and of `keptWith` points
    // more that follow it at once (a subheading right under it).
    void heading(const QString& text, Style style, double spaceBefore, double keptWith = 0);
    // The height a heading takes, wrapped, with the space before it.
    double headingHeight(const QString& text, Style style, double spaceBefore) const;
    // The label after what stands, on this page when it fits, else on the next;
    // shrunk only when it is taller than a page's body.
    void label(NutritionLabel label);
    // One line: `left` and, at the right edge, `right`, with dots between them.
    void dottedLine(const QString& left, const QString& right);
    // Space between things: none at the top of a page.
    void space(double points);
    // Moves down the page whatever stands above (a title page's blank top).
    void skip(double points);

    double remaining() const;

private:
    Page& page();
    void ensureRoom(double height);
    void startPage();
    std::vector<QString> wrap(const QString& text, const QFont& font, double width) const;
    void placeText(const QString& text, Style style, double x, double width);

    PagedDocument& document_;
    double y_ = 0;
    bool pageEmpty_ = true;
    QString part_;
    int partFirstPage_ = 0;
};
