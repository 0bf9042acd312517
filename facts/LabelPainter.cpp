#include "facts/LabelPainter.h"

#include "facts/LabelRounding.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <algorithm>

namespace {

// Geometry in points. The box is the label; the name sits above it, the notes below.
constexpr double kPad = 6;           // inside the box's border
constexpr double kBorder = 1.2;
constexpr double kNameColumn = 124;  // the nutrient names, from the box's inner left
constexpr double kThickBar = 9;
constexpr double kMediumBar = 4.5;
constexpr double kHairline = 0.6;
constexpr double kRow = 14;

// Sizes in the drawing's own units, not in points of the device: the painter's
// scale then sizes text and rules alike on every device.
QFont labelFont(int size, bool bold = false, bool italic = false)
{
    // Liberation Sans measures as Helvetica, the label's own face.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::Helvetica);
    font.setPixelSize(size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

// Carries the pen down the page: every piece is measured, and drawn when there is a painter.
class Layout {
public:
    Layout(QPainter* painter, double left, double width) : p_(painter), left_(left), width_(width) {}

    double y = 0;

    QPainter* painter() const { return p_; }
    double left() const { return left_; }
    double width() const { return width_; }
    double right() const { return left_ + width_; }

    // A filled rule across the width.
    void bar(double thickness, double gapAfter = 0)
    {
        if (p_)
            p_->fillRect(QRectF(left_, y, width_, thickness), Qt::black);
        y += thickness + gapAfter;
    }

    // Text wrapped to the width.
    void paragraph(const QString& s, const QFont& font)
    {
        const int flags = Qt::AlignLeft | Qt::TextWordWrap;
        const QRectF used = QFontMetricsF(font).boundingRect(QRectF(left_, y, width_, 10000), flags, s);
        if (p_) {
            p_->setFont(font);
            p_->drawText(QRectF(left_, y, width_, used.height()), flags, s);
        }
        y += used.height();
    }

    // One line of text in the cell [x, x + w) of a row of height h, `dy` below the pen.
    void cell(const QString& s, const QFont& font, double x, double w, double h, int align, double dy = 0) const
    {
        if (!p_ || s.isEmpty())
            return;
        p_->setFont(font);
        p_->drawText(QRectF(x, y + dy, w, h), align | Qt::AlignVCenter | Qt::TextSingleLine, s);
    }

private:
    QPainter* p_;
    double left_;
    double width_;
};

struct Columns {
    double x[2];
    double w;
};

Columns columnsOf(const Layout& l)
{
    const double start = l.left() + kNameColumn;
    const double w = (l.right() - start) / 2;
    return {{start, start + w}, w};
}

void verticalRules(const Layout& l, double top, double bottom)
{
    if (!l.painter())
        return;
    const Columns c = columnsOf(l);
    for (double x : c.x)
        l.painter()->fillRect(QRectF(x - kHairline / 2, top, kHairline, bottom - top), Qt::black);
}

// 21 CFR 101.9(b)(7): a serving's weight in whole grams, below 5 g in tenths.
QString gramsText(double grams)
{
    return "(" + text(plainNumber(grams, grams < 5 ? 1 : 0)) + "g)";
}

QString amountCell(const LabelLine& line, int column)
{
    const auto& amount = line.amounts[static_cast<std::size_t>(column)];
    if (!amount)
        return QStringLiteral("n/a");
    return text(amountText(line.nutrient, *amount));
}

QString percentCell(const LabelLine& line, int column)
{
    const auto& amount = line.amounts[static_cast<std::size_t>(column)];
    if (!amount || labelDailyValue(labelNutrient(line.nutrient)) <= 0)
        return {};
    return QString::number(declaredPercent(line.nutrient, *amount)) + "%";
}

// The coverage of a partial sum, under its line.
void coverageLine(Layout& l, const LabelLine& line, double indent)
{
    const std::string coverage = coverageNote(line);
    if (coverage.empty())
        return;
    l.cell(text(coverage), labelFont(8, false, true), l.left() + indent + 8, l.width(), 10, Qt::AlignLeft);
    l.y += 10;
}

// The nutrient lines from `first` to `last`, with hairlines between them.
void nutrientRows(Layout& l, const NutritionLabel& label, LabelNutrient first, LabelNutrient last)
{
    const Columns c = columnsOf(l);
    const QFont regular = labelFont(10);
    const QFont bold = labelFont(10, true);
    for (auto n = static_cast<int>(first); n <= static_cast<int>(last); ++n) {
        const LabelLine& line = label.lines.at(static_cast<std::size_t>(n));
        const LabelNutrientInfo& info = labelNutrient(line.nutrient);
        const double top = l.y;
        const double indent = info.indented ? 10 : 0;
        // The label sets the main nutrients' names in bold, their parts and the vitamins plain.
        const bool boldName = !info.indented && !info.vitaminOrMineral;
        l.cell(QString::fromLatin1(info.name), boldName ? bold : regular, l.left() + indent, kNameColumn - indent, kRow,
               Qt::AlignLeft);
        for (int column = 0; column < 2; ++column) {
            if (!label.columns[static_cast<std::size_t>(column)].shown)
                continue;
            const double x = c.x[column] + 4;
            const double w = c.w - 7;
            l.cell(amountCell(line, column), regular, x, w, kRow, Qt::AlignLeft);
            l.cell(percentCell(line, column), bold, x, w, kRow, Qt::AlignRight);
        }
        l.y += kRow;
        coverageLine(l, line, indent);
        verticalRules(l, top, l.y);
        if (line.nutrient == LabelNutrient::TotalSugars) {
            // The reference tables do not tell added sugars apart: say so across the columns.
            l.bar(kHairline);
            l.cell(QStringLiteral("Includes Added Sugars: not in the food tables"), regular, l.left() + 20,
                   l.width() - 20, kRow, Qt::AlignLeft);
            l.y += kRow;
        }
        if (n != static_cast<int>(last))
            l.bar(kHairline);
    }
}

// The title, the servings and the serving size, down to the thick bar.
void header(Layout& l, const NutritionLabel& label)
{
    l.paragraph(QStringLiteral("Nutrition Facts"), labelFont(36, true));
    l.y += 1;
    l.bar(kHairline, 3);
    if (!label.servings.empty())
        l.paragraph(text(label.servings), labelFont(11));
    const QFont bold = labelFont(13, true);
    const double h = QFontMetricsF(bold).height() + 2;
    l.cell(QStringLiteral("Serving size"), bold, l.left(), l.width(), h, Qt::AlignLeft);
    QString size = text(label.servingSize);
    if (label.servingGrams)
        size += " " + gramsText(*label.servingGrams);
    l.cell(size, bold, l.left(), l.width(), h, Qt::AlignRight);
    l.y += h + 2;
    l.bar(kThickBar);
}

// What each column is for, and its weight when known.
void columnHeads(Layout& l, const NutritionLabel& label)
{
    const Columns c = columnsOf(l);
    const double top = l.y;
    for (int column = 0; column < 2; ++column) {
        const LabelColumn& col = label.columns[static_cast<std::size_t>(column)];
        l.cell(text(col.heading), labelFont(10, true), c.x[column] + 4, c.w - 6, 13, Qt::AlignLeft);
        if (col.shown && col.grams)
            l.cell(gramsText(*col.grams), labelFont(9), c.x[column] + 4, c.w - 6, 11, Qt::AlignLeft, 12);
    }
    l.y += 25;
    verticalRules(l, top, l.y);
    l.bar(kHairline);
}

// Calories in large type, then the heads of the percent columns.
void calories(Layout& l, const NutritionLabel& label)
{
    const Columns c = columnsOf(l);
    double top = l.y;
    const QFont big = labelFont(22, true);
    const double h = 28;
    l.cell(QStringLiteral("Calories"), big, l.left(), kNameColumn, h, Qt::AlignLeft);
    const LabelLine& line = label.line(LabelNutrient::Calories);
    for (int column = 0; column < 2; ++column)
        if (label.columns[static_cast<std::size_t>(column)].shown)
            l.cell(amountCell(line, column), big, c.x[column] + 4, c.w - 7, h, Qt::AlignRight);
    l.y += h;
    coverageLine(l, line, 0);
    verticalRules(l, top, l.y);
    l.bar(kMediumBar);

    top = l.y;
    for (int column = 0; column < 2; ++column)
        if (label.columns[static_cast<std::size_t>(column)].shown)
            l.cell(QStringLiteral("% Daily Value*"), labelFont(9, true), c.x[column] + 4, c.w - 7, 13, Qt::AlignRight);
    l.y += 13;
    verticalRules(l, top, l.y);
    l.bar(kHairline);
}

void footnote(Layout& l)
{
    l.bar(kMediumBar, 3);
    l.paragraph(QStringLiteral("* The % Daily Value (DV) tells you how much a nutrient in a serving of food "
                               "contributes to a daily diet. 2,000 calories a day is used for general nutrition advice."),
                labelFont(8));
    l.y += kPad;
}

// What the label cannot say in its own lines.
void notesBelow(Layout& l, const NutritionLabel& label)
{
    const QFont notes = labelFont(9);
    const bool anyUnknown = std::any_of(label.lines.begin(), label.lines.end(), [&](const LabelLine& line) {
        for (std::size_t column = 0; column < 2; ++column)
            if (label.columns[column].shown && !line.amounts[column])
                return true;
        return false;
    });
    if (anyUnknown)
        l.paragraph(QStringLiteral("n/a: no value is known for this nutrient."), notes);
    if (!label.unlinked.empty()) {
        QString names;
        for (const std::string& name : label.unlinked)
            names += (names.isEmpty() ? "" : ", ") + text(name);
        const int lines = label.ingredientLines;
        l.paragraph(QStringLiteral("Totals from %1 of %2 ingredient lines. ").arg(lines - int(label.unlinked.size())).arg(lines)
                        + "Not linked to a food, so not counted: " + names + ".",
                    notes);
    }
}

} // namespace

NutritionLabelPainter::NutritionLabelPainter(const NutritionLabel& label) : label_(label) {}

QSizeF NutritionLabelPainter::size() const
{
    return {kWidth, layout(nullptr)};
}

void NutritionLabelPainter::paint(QPainter& painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    layout(&painter);
    painter.restore();
}

void NutritionLabelPainter::paintFitted(QPainter& painter, const QRectF& area) const
{
    const QSizeF natural = size();
    const double scale = std::min(area.width() / natural.width(), area.height() / natural.height());
    painter.save();
    painter.translate(area.left() + (area.width() - natural.width() * scale) / 2, area.top());
    painter.scale(scale, scale);
    paint(painter);
    painter.restore();
}

double NutritionLabelPainter::layout(QPainter* p) const
{
    Layout outer(p, 0, kWidth);
    outer.paragraph(text(label_.name), labelFont(14, true));
    outer.y += 6;

    const double boxTop = outer.y;
    Layout l(p, kBorder + kPad, kWidth - 2 * (kBorder + kPad));
    l.y = boxTop + kBorder + 2;
    header(l, label_);
    columnHeads(l, label_);
    calories(l, label_);
    nutrientRows(l, label_, LabelNutrient::TotalFat, LabelNutrient::Protein);
    l.bar(kThickBar);
    nutrientRows(l, label_, LabelNutrient::VitaminD, LabelNutrient::Potassium);
    footnote(l);

    const double boxBottom = l.y + kBorder;
    if (p) {
        p->save();
        p->setPen(QPen(Qt::black, kBorder));
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRectF(kBorder / 2, boxTop + kBorder / 2, kWidth - kBorder, boxBottom - boxTop - kBorder));
        p->restore();
    }
    outer.y = boxBottom + 6;
    notesBelow(outer, label_);
    return outer.y;
}
