#include "cookbook/PagedDocument.h"

#include "facts/LabelPainter.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMargin = 42.5; // 15 mm
constexpr double kHeaderBand = 24;
constexpr double kSmallestLabel = 0.7; // a label printed smaller than this is hard to read

} // namespace

PageSetup pageSetupFor(const QSizeF& paperInPoints)
{
    return {paperInPoints, QMarginsF(kMargin, kMargin, kMargin, kMargin)};
}

PageSetup localPageSetup()
{
    switch (QLocale().territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::Philippines:
    case QLocale::PuertoRico:
    case QLocale::Guatemala:
    case QLocale::CostaRica:
    case QLocale::ElSalvador:
    case QLocale::Panama:
    case QLocale::DominicanRepublic:
        return pageSetupFor(QPageSize(QPageSize::Letter).size(QPageSize::Point));
    default:
        return pageSetupFor(QPageSize(QPageSize::A4).size(QPageSize::Point));
    }
}

void PagedDocument::paintPage(QPainter& painter, int index) const
{
    if (index < 0 || index >= static_cast<int>(pages.size()))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const PageItem& item : pages[std::size_t(index)].items) {
        switch (item.kind) {
        case PageItem::Kind::Text:
            painter.setFont(item.font);
            painter.setPen(item.colour);
            painter.drawText(item.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.text);
            break;
        case PageItem::Kind::TickBox:
            painter.setPen(QPen(item.colour, 0.8));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(item.rect);
            break;
        case PageItem::Kind::Rule:
            painter.setPen(QPen(item.colour, item.rect.height()));
            painter.drawLine(item.rect.topLeft(), item.rect.topRight());
            break;
        case PageItem::Kind::Label:
            if (item.label >= 0 && item.label < static_cast<int>(labels.size())) {
                const NutritionLabelPainter label(labels[std::size_t(item.label)]);
                painter.save();
                painter.translate(item.rect.topLeft());
                const double scale = item.rect.width() / label.size().width();
                painter.scale(scale, scale);
                label.paint(painter);
                painter.restore();
            }
            break;
        }
    }
    painter.restore();
}

PageFlow::PageFlow(PagedDocument& document) : document_(document) {}

QFont PageFlow::font(Style style)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::Helvetica);
    font.setHintingPreference(QFont::PreferNoHinting);
    int size = 11;
    bool bold = false;
    switch (style) {
    case Style::Title: size = 22, bold = true; break;
    case Style::Subtitle: size = 12; break;
    case Style::Heading: size = 14, bold = true; break;
    case Style::Subheading: size = 11, bold = true; break;
    case Style::Body: size = 11; break;
    case Style::Small: size = 9; break;
    case Style::Header: size = 8; break;
    }
    font.setPixelSize(size); // a pixel is a point: the painter is scaled to points
    font.setBold(bold);
    return font;
}

QColor PageFlow::colour(Style style)
{
    switch (style) {
    case Style::Title:
    case Style::Heading:
        return QColor(0, 66, 0);
    case Style::Subtitle:
    case Style::Small:
    case Style::Header:
        return QColor(90, 90, 90);
    default:
        return Qt::black;
    }
}

Page& PageFlow::page()
{
    if (document_.pages.empty())
        startPage();
    return document_.pages.back();
}

void PageFlow::startPage()
{
    document_.pages.emplace_back();
    y_ = document_.setup.body().top();
    pageEmpty_ = true;
    const int number = pageNumber();
    if (!part_.isEmpty() && number > partFirstPage_) {
        // The running header of a part's later pages: its name, and the page number.
        const QRectF body = document_.setup.body();
        const QFont small = font(Style::Header);
        const QString pageText = QStringLiteral("Page %1").arg(number);
        const double pageWidth = QFontMetricsF(small).horizontalAdvance(pageText) + 2;
        const QString name = QFontMetricsF(small).elidedText(part_, Qt::ElideRight, body.width() - pageWidth - 12);
        auto& items = document_.pages.back().items;
        items.push_back({PageItem::Kind::Text, QRectF(body.left(), body.top(), body.width() - pageWidth, 12), name, small,
                         colour(Style::Header)});
        items.push_back({PageItem::Kind::Text, QRectF(body.right() - pageWidth, body.top(), pageWidth, 12), pageText,
                         small, colour(Style::Header)});
        items.push_back({PageItem::Kind::Rule, QRectF(body.left(), body.top() + 14, body.width(), 0.5), {}, {},
                         QColor(150, 150, 150)});
        y_ += kHeaderBand;
    }
}

void PageFlow::newPage()
{
    if (document_.pages.empty() || !pageEmpty_)
        startPage();
}

void PageFlow::beginPart(const QString& name)
{
    part_ = name;
    if (!document_.pages.empty() && pageEmpty_) {
        // The page stands empty: the part starts on it, without another part's header.
        partFirstPage_ = pageNumber();
        document_.pages.back().items.clear();
        y_ = document_.setup.body().top();
        return;
    }
    partFirstPage_ = pageNumber() + 1;
    startPage();
}

double PageFlow::remaining() const
{
    return document_.setup.body().bottom() - y_;
}

void PageFlow::ensureRoom(double height)
{
    page();
    if (!pageEmpty_ && height > remaining())
        startPage();
}

void PageFlow::space(double points)
{
    if (!pageEmpty_)
        y_ += points;
}

void PageFlow::skip(double points)
{
    page();
    y_ += points;
}

std::vector<QString> PageFlow::wrap(const QString& text, const QFont& font, double width) const
{
    const QFontMetricsF metrics(font);
    std::vector<QString> lines;
    QString line;
    const auto fits = [&](const QString& candidate) { return metrics.horizontalAdvance(candidate) <= width; };
    for (const QString& word : text.simplified().split(u' ', Qt::SkipEmptyParts)) {
        const QString candidate = line.isEmpty() ? word : line + u' ' + word;
        if (fits(candidate)) {
            line = candidate;
            continue;
        }
        if (!line.isEmpty())
            lines.push_back(line);
        line = word;
        // A word wider than the line (a long link) is broken where it must be.
        while (!fits(line)) {
            qsizetype cut = line.size() - 1;
            while (cut > 1 && !fits(line.first(cut)))
                --cut;
            if (cut > 1 && line[cut - 1].isHighSurrogate())
                --cut;
            lines.push_back(line.first(cut));
            line = line.sliced(cut);
        }
    }
    if (!line.isEmpty() || lines.empty())
        lines.push_back(line);
    return lines;
}

void PageFlow::placeText(const QString& text, Style style, double x, double width)
{
    const QFont f = font(style);
    const double lineHeight = QFontMetricsF(f).lineSpacing() * 1.1;
    for (const QString& line : wrap(text, f, width)) {
        ensureRoom(lineHeight);
        page().items.push_back({PageItem::Kind::Text, QRectF(x, y_, width, lineHeight), line, f, colour(style)});
        y_ += lineHeight;
        pageEmpty_ = false;
    }
}

void PageFlow::paragraph(const QString& text, Style style, double spaceBefore, double indent)
{
    space(spaceBefore);
    const QRectF body = document_.setup.body();
    placeText(text, style, body.left() + indent, body.width() - indent);
}

double PageFlow::headingHeight(const QString& text, Style style, double spaceBefore) const
{
    const QFont f = font(style);
    const double lineHeight = QFontMetricsF(f).lineSpacing() * 1.1;
    return spaceBefore + lineHeight * static_cast<double>(wrap(text, f, document_.setup.body().width()).size());
}

void PageFlow::heading(const QString& text, Style style, double spaceBefore, double keptWith)
{
    const double bodyLine = QFontMetricsF(font(Style::Body)).lineSpacing() * 1.1;
    // Never the last thing on a page: the heading, what is kept with it and two
    // lines after them fit, or a new page.
    ensureRoom(headingHeight(text, style, spaceBefore) + keptWith + 2 * bodyLine);
    paragraph(text, style, spaceBefore);
}

void PageFlow::step(const QString& number, const QString& text, double spaceBefore)
{
    const QFont f = font(Style::Body);
    const QFontMetricsF metrics(f);
    const double lineHeight = metrics.lineSpacing() * 1.1;
    // Room for "99." in bold; a step numbered 100 or more widens its own column.
    const double numberWidth =
        std::max(QFontMetricsF(font(Style::Subheading)).horizontalAdvance(QStringLiteral("00.")),
                 QFontMetricsF(font(Style::Subheading)).horizontalAdvance(number)) + 6;
    space(spaceBefore);
    ensureRoom(lineHeight);
    const QRectF body = document_.setup.body();
    page().items.push_back({PageItem::Kind::Text, QRectF(body.left(), y_, numberWidth, lineHeight), number,
                            font(Style::Subheading), colour(Style::Heading)});
    placeText(text, Style::Body, body.left() + numberWidth, body.width() - numberWidth);
}

void PageFlow::tickLine(const QString& text)
{
    const QFont f = font(Style::Body);
    const double lineHeight = QFontMetricsF(f).lineSpacing() * 1.1;
    ensureRoom(lineHeight + 4);
    y_ += 4;
    const QRectF body = document_.setup.body();
    const double box = 9;
    page().items.push_back({PageItem::Kind::TickBox, QRectF(body.left() + 1, y_ + (lineHeight - box) / 2 - 0.5, box, box),
                            {}, {}, QColor(60, 60, 60)});
    placeText(text, Style::Body, body.left() + box + 9, body.width() - box - 9);
}

void PageFlow::label(NutritionLabel label)
{
    const QRectF body = document_.setup.body();
    const QSizeF natural = NutritionLabelPainter(label).size();
    // At most a page's body, and a little smaller still to stay on the page it follows.
    const double fullHeight = body.height() - (part_.isEmpty() ? 0 : kHeaderBand);
    double scale = std::min({1.0, fullHeight / natural.height(), body.width() / natural.width()});
    space(16);
    page();
    if (!pageEmpty_) {
        const double fitting = remaining() / natural.height();
        if (fitting >= kSmallestLabel && fitting < scale)
            scale = fitting;
    }
    const QSizeF size = natural * scale;
    ensureRoom(size.height());
    document_.labels.push_back(std::move(label));
    page().items.push_back({PageItem::Kind::Label, QRectF(QPointF(body.left(), y_), size), {}, {}, {},
                            static_cast<int>(document_.labels.size()) - 1});
    y_ += size.height();
    pageEmpty_ = false;
}

void PageFlow::dottedLine(const QString& left, const QString& right)
{
    const QFont f = font(Style::Body);
    const QFontMetricsF metrics(f);
    const double lineHeight = metrics.lineSpacing() * 1.4;
    ensureRoom(lineHeight);
    const QRectF body = document_.setup.body();
    const double rightWidth = metrics.horizontalAdvance(right) + 2;
    const double dotsWidth = metrics.horizontalAdvance(QStringLiteral(" . . . "));
    const QString name = metrics.elidedText(left, Qt::ElideRight, body.width() - rightWidth - dotsWidth);
    const double nameWidth = metrics.horizontalAdvance(name);
    QString dots;
    const double dotWidth = metrics.horizontalAdvance(QStringLiteral(" ."));
    const int dotCount = static_cast<int>((body.width() - rightWidth - nameWidth - 8) / dotWidth);
    for (int i = 0; i < dotCount; ++i)
        dots += QStringLiteral(" .");
    auto& items = page().items;
    items.push_back({PageItem::Kind::Text, QRectF(body.left(), y_, nameWidth + 2, lineHeight), name, f, Qt::black});
    items.push_back({PageItem::Kind::Text,
                     QRectF(body.right() - rightWidth - 4 - dotCount * dotWidth, y_, dotCount * dotWidth + 2, lineHeight),
                     dots, f, QColor(150, 150, 150)});
    items.push_back({PageItem::Kind::Text, QRectF(body.right() - rightWidth, y_, rightWidth, lineHeight), right, f,
                     Qt::black});
    y_ += lineHeight;
    pageEmpty_ = false;
}
