#include "ui/Skin.h"

#include "ui/SkinImage.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Skin {

QColor darkGreen() { return colorFromNumber(16896); }
QColor brightGreen() { return colorFromNumber(117505); }
QColor paleGreen() { return colorFromNumber(13100231); }
QColor paleGreenLight() { return colorFromNumber(15003364); }
QColor linkNormal() { return colorFromNumber(16503172); }
QColor linkHover() { return colorFromNumber(16707798); }
QColor tabText() { return Qt::white; }
QColor tabTextIdle() { return QColor(192, 192, 192); }
QColor gridBackground() { return colorFromNumber(15990513); }
QColor gridFixed() { return colorFromNumber(11259042); }

namespace {

// Tile shades per state, top to bottom of the gradient. Hover is lighter, pressed
// darker; both stay in the dark-to-bright green of the palette.
struct Shades {
    QColor top;
    QColor bottom;
    QColor edge;
};

Shades tileShades(ButtonState state)
{
    switch (state) {
    case ButtonState::Over:
        return {QColor(112, 218, 118), QColor(20, 146, 42), QColor(0, 74, 8)};
    case ButtonState::Down:
        return {QColor(0, 78, 10), QColor(0, 52, 2), QColor(0, 28, 0)};
    case ButtonState::Normal:
        break;
    }
    return {QColor(58, 172, 70), QColor(0, 100, 22), QColor(0, 50, 0)};
}

QPixmap transparentPixmap(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void paintTile(QPainter& p, QRectF r, qreal radius, const Shades& shades, ButtonState state,
               const QColor& ring)
{
    QPainterPath shape;
    shape.addRoundedRect(r, radius, radius);

    if (state != ButtonState::Down) {
        // A soft drop shadow: the pressed tile sits on the surface instead.
        QPainterPath shadow;
        shadow.addRoundedRect(r.translated(0, 1.2), radius, radius);
        p.fillPath(shadow, QColor(0, 30, 0, 70));
    }
    if (ring.isValid()) {
        p.setPen(QPen(ring, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(-1, -1, 1, 1), radius + 1, radius + 1);
    }

    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, shades.top);
    fill.setColorAt(1, shades.bottom);
    p.fillPath(shape, fill);

    p.save();
    p.setClipPath(shape);
    if (state == ButtonState::Down) {
        // Inner shadow along the top and left edges: the tile is pushed in.
        p.setPen(QPen(QColor(0, 0, 0, 110), 2.0));
        p.drawLine(r.topLeft() + QPointF(0, 1), r.topRight() + QPointF(0, 1));
        p.drawLine(r.topLeft() + QPointF(1, 0), r.bottomLeft() + QPointF(1, 0));
    } else {
        // Gloss on the upper half.
        QRectF gloss(r.left(), r.top(), r.width(), r.height() * 0.48);
        QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
        shine.setColorAt(0, QColor(255, 255, 255, state == ButtonState::Over ? 120 : 90));
        shine.setColorAt(1, QColor(255, 255, 255, 12));
        QPainterPath glossPath;
        glossPath.addRoundedRect(gloss.adjusted(1, 1, -1, 0), radius - 1, radius - 1);
        p.fillPath(glossPath, shine);
    }
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(shades.edge, 1.0));
    p.drawRoundedRect(r, radius, radius);
    if (state != ButtonState::Down) {
        p.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
        p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    }
}

QPen glyphPen(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet of paper with its top right corner folded down, filled with `ink`.
void paintSheet(QPainter& p, const QRectF& sheet, const QColor& ink, const QColor& detail)
{
    constexpr qreal kFold = 5;
    const QPointF foldTop(sheet.right() - kFold, sheet.top());
    const QPointF foldInner(sheet.right() - kFold, sheet.top() + kFold);
    const QPointF foldSide(sheet.right(), sheet.top() + kFold);
    QPainterPath outline;
    outline.moveTo(sheet.topLeft());
    outline.lineTo(foldTop);
    outline.lineTo(foldSide);
    outline.lineTo(sheet.bottomRight());
    outline.lineTo(sheet.bottomLeft());
    outline.closeSubpath();
    p.setPen(glyphPen(ink, 1.2));
    p.setBrush(ink);
    p.drawPath(outline);
    p.setPen(glyphPen(detail, 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({foldTop, foldInner, foldSide}));
}

// Draws a glyph in a 24-unit box centred on the origin, in one colour (`ink`)
// with `accent` for the small coloured details.
void paintGlyphShape(QPainter& p, Glyph glyph, const QColor& ink, const QColor& accent, bool shadow)
{
    const QColor detail = shadow ? ink : darkGreen();
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::Add:
        p.setPen(glyphPen(ink, 3.6));
        p.drawLine(QPointF(-7.5, 0), QPointF(7.5, 0));
        p.drawLine(QPointF(0, -7.5), QPointF(0, 7.5));
        break;
    case Glyph::Remove:
        p.setPen(glyphPen(ink, 3.6));
        p.drawLine(QPointF(-7.5, 0), QPointF(7.5, 0));
        break;
    case Glyph::Ok:
        p.setPen(glyphPen(ink, 3.6));
        p.drawPolyline(QPolygonF({QPointF(-8, 0.5), QPointF(-2.5, 6), QPointF(8, -6)}));
        break;
    case Glyph::Cancel:
    case Glyph::Close:
        p.setPen(glyphPen(ink, glyph == Glyph::Close ? 2.6 : 3.6));
        p.drawLine(QPointF(-6.5, -6.5), QPointF(6.5, 6.5));
        p.drawLine(QPointF(6.5, -6.5), QPointF(-6.5, 6.5));
        break;
    case Glyph::Minimise:
        p.setPen(glyphPen(ink, 2.8));
        p.drawLine(QPointF(-6, 5), QPointF(6, 5));
        break;
    case Glyph::Maximise:
        p.setPen(glyphPen(ink, 1.9));
        p.drawRect(QRectF(-6, -5.5, 12, 11));
        p.setPen(glyphPen(ink, 3.2));
        p.drawLine(QPointF(-6, -5), QPointF(6, -5));
        break;
    case Glyph::Prev:
    case Glyph::Next: {
        const qreal s = glyph == Glyph::Next ? 1 : -1;
        QPolygonF arrow({QPointF(s * 9, 0), QPointF(s * 1, -8.5), QPointF(s * 1, -3.8), QPointF(s * -8, -3.8),
                         QPointF(s * -8, 3.8), QPointF(s * 1, 3.8), QPointF(s * 1, 8.5)});
        p.setPen(glyphPen(ink, 1.2));
        p.setBrush(ink);
        p.drawPolygon(arrow);
        break;
    }
    case Glyph::Search:
        p.setPen(glyphPen(ink, 4.2));
        p.drawLine(QPointF(3, 3), QPointF(8.5, 8.5));
        p.setPen(glyphPen(ink, 2.6));
        p.setBrush(shadow ? QColor(Qt::transparent) : QColor(accent.red(), accent.green(), accent.blue(), 110));
        p.drawEllipse(QPointF(-2, -2), 6.5, 6.5);
        break;
    case Glyph::Delete: {
        p.setPen(glyphPen(ink, 2.4));
        p.drawLine(QPointF(-8, -6), QPointF(8, -6));
        p.drawRoundedRect(QRectF(-2.8, -9.2, 5.6, 3.2), 1, 1);
        p.setPen(glyphPen(ink, 1.2));
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(-6, -3.6), QPointF(6, -3.6), QPointF(4.8, 9.2), QPointF(-4.8, 9.2)}));
        p.setPen(glyphPen(detail, 1.3));
        for (qreal x : {-2.5, 0.0, 2.5})
            p.drawLine(QPointF(x, -1.2), QPointF(x * 0.9, 6.8));
        break;
    }
    case Glyph::Edit: {
        p.save();
        p.rotate(-45);
        p.setPen(glyphPen(ink, 1.0));
        p.setBrush(ink);
        p.drawRect(QRectF(-6.5, -2.8, 13, 5.6));
        p.drawPolygon(QPolygonF({QPointF(-6.5, -2.8), QPointF(-11.5, 0), QPointF(-6.5, 2.8)}));
        p.setBrush(shadow ? ink : accent);
        p.drawRoundedRect(QRectF(7.2, -2.8, 3.6, 5.6), 1, 1);
        p.setPen(glyphPen(detail, 1.0));
        p.drawLine(QPointF(-6.5, 0), QPointF(6.5, 0));
        p.setBrush(detail);
        p.drawPolygon(QPolygonF({QPointF(-10, -0.9), QPointF(-11.5, 0), QPointF(-10, 0.9)}));
        p.restore();
        break;
    }
    case Glyph::Create: {
        paintSheet(p, QRectF(-7, -9.5, 13.5, 19), ink, detail);
        for (qreal y : {-1.5, 1.5, 4.5})
            p.drawLine(QPointF(-4.5, y), QPointF(y > 3 ? -0.5 : 3.5, y));
        // A "new" badge in the lower right corner.
        p.setPen(glyphPen(shadow ? ink : QColor(255, 255, 255), 1.2));
        p.setBrush(shadow ? ink : accent);
        p.drawEllipse(QPointF(6.5, 6.5), 5.2, 5.2);
        if (!shadow) {
            p.setPen(glyphPen(QColor(255, 255, 255), 2.0));
            p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
            p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
        }
        break;
    }
    case Glyph::Print: {
        // A printer with a sheet coming out of it.
        p.setPen(glyphPen(ink, 1.2));
        p.setBrush(ink);
        p.drawRect(QRectF(-5, -10, 10, 6));
        p.drawRoundedRect(QRectF(-10, -4, 20, 10), 2, 2);
        p.setPen(glyphPen(detail, 1.0));
        p.setBrush(shadow ? ink : accent);
        p.drawEllipse(QPointF(6.5, -1), 1.2, 1.2);
        p.setPen(glyphPen(ink, 1.2));
        p.setBrush(shadow ? ink : QColor(255, 255, 255));
        p.drawRect(QRectF(-6, 2, 12, 9));
        p.setPen(glyphPen(detail, 1.0));
        for (qreal y : {5.0, 8.0})
            p.drawLine(QPointF(-3.5, y), QPointF(3.5, y));
        break;
    }
    case Glyph::Pdf: {
        // A sheet with a folded corner and a red band.
        paintSheet(p, QRectF(-7, -10, 14, 20), ink, detail);
        p.setPen(Qt::NoPen);
        p.setBrush(shadow ? ink : QColor(200, 30, 30));
        p.drawRoundedRect(QRectF(-10, -0.5, 15, 7), 1.2, 1.2);
        if (!shadow) {
            QFont letters(QStringLiteral("Liberation Sans"));
            letters.setPixelSize(6);
            letters.setBold(true);
            p.setFont(letters);
            p.setPen(QColor(255, 255, 255));
            p.drawText(QRectF(-10, -0.5, 15, 7), Qt::AlignCenter, QStringLiteral("PDF"));
        }
        break;
    }
    case Glyph::Paste: {
        // A clipboard holding written lines.
        p.setPen(glyphPen(ink, 1.2));
        p.setBrush(ink);
        p.drawRoundedRect(QRectF(-8, -8, 16, 19), 2, 2);
        p.setBrush(shadow ? ink : QColor(255, 255, 255));
        p.drawRect(QRectF(-5.5, -4.5, 11, 13.5));
        p.setBrush(shadow ? ink : accent);
        p.drawRoundedRect(QRectF(-4, -10.5, 8, 4.5), 1.2, 1.2);
        p.setPen(glyphPen(detail, 1.1));
        for (qreal y : {-1.5, 1.5, 4.5, 7.0})
            p.drawLine(QPointF(-3.5, y), QPointF(y > 6 ? 1.0 : 3.5, y));
        break;
    }
    case Glyph::Import:
    case Glyph::Export: {
        // A sheet with an arrow going into it from the left (import), or leaving it
        // to the right (export).
        const bool in = glyph == Glyph::Import;
        const qreal sheetLeft = in ? -2 : -10;
        paintSheet(p, QRectF(sheetLeft, -10, 12, 18), ink, detail);
        for (qreal y : {-4.0, -1.0, 2.0})
            p.drawLine(QPointF(sheetLeft + 3, y), QPointF(sheetLeft + 9, y));
        const qreal tip = in ? 3 : 11;
        QPolygonF arrow({QPointF(tip, 4), QPointF(tip - 6, -2), QPointF(tip - 6, 1.7), QPointF(tip - 12, 1.7),
                         QPointF(tip - 12, 6.3), QPointF(tip - 6, 6.3), QPointF(tip - 6, 10)});
        p.setPen(glyphPen(shadow ? ink : QColor(255, 255, 255), 1.0));
        p.setBrush(shadow ? ink : accent);
        p.drawPolygon(arrow);
        break;
    }
    case Glyph::Scale: {
        // A small square grown into a large one: the resize sign.
        p.setPen(glyphPen(ink, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(-9.5, -9.5, 19, 19));
        p.setPen(glyphPen(ink, 1.0));
        p.setBrush(shadow ? ink : accent);
        p.drawRect(QRectF(-9.5, 1.5, 8, 8));
        p.setPen(glyphPen(ink, 2.2));
        p.drawLine(QPointF(0.5, -0.5), QPointF(6, -6));
        p.drawPolyline(QPolygonF({QPointF(1, -6.5), QPointF(6.5, -6.5), QPointF(6.5, -1)}));
        break;
    }
    case Glyph::Basket: {
        // A shopping basket with its handle.
        p.setPen(glyphPen(ink, 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(-6, -10, 12, 14), 0, 180 * 16);
        p.setPen(glyphPen(ink, 1.2));
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(-10.5, -3), QPointF(10.5, -3), QPointF(8, 9), QPointF(-8, 9)}));
        p.setPen(glyphPen(shadow ? ink : accent, 1.3));
        for (qreal x : {-4.0, 0.0, 4.0})
            p.drawLine(QPointF(x, 0), QPointF(x * 0.85, 6.5));
        break;
    }
    case Glyph::Book: {
        // An open book.
        p.setPen(glyphPen(ink, 1.2));
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(0, -6), QPointF(-11, -9), QPointF(-11, 7), QPointF(0, 10)}));
        p.drawPolygon(QPolygonF({QPointF(0, -6), QPointF(11, -9), QPointF(11, 7), QPointF(0, 10)}));
        p.setPen(glyphPen(detail, 1.0));
        for (qreal y : {-3.0, 0.0, 3.0}) {
            p.drawLine(QPointF(-8.5, y - 3), QPointF(-2.5, y - 1.4));
            p.drawLine(QPointF(8.5, y - 3), QPointF(2.5, y - 1.4));
        }
        p.setPen(glyphPen(shadow ? ink : accent, 1.6));
        p.drawLine(QPointF(0, -6), QPointF(0, 10));
        break;
    }
    case Glyph::Copy:
        // Two sheets, one over the other.
        paintSheet(p, QRectF(-9, -10, 12, 16), ink, detail);
        paintSheet(p, QRectF(-3, -5, 12, 16), shadow ? ink : accent, detail);
        break;
    case Glyph::Link: {
        // Two chain links.
        p.setBrush(Qt::NoBrush);
        p.save();
        p.rotate(-45);
        p.setPen(glyphPen(ink, 3.0));
        p.drawRoundedRect(QRectF(-11, -3.8, 12, 7.6), 3.8, 3.8);
        p.setPen(glyphPen(shadow ? ink : accent, 3.0));
        p.drawRoundedRect(QRectF(-1, -3.8, 12, 7.6), 3.8, 3.8);
        p.restore();
        break;
    }
    case Glyph::Calc: {
        p.setPen(glyphPen(ink, 1.2));
        p.setBrush(ink);
        p.drawRoundedRect(QRectF(-7.5, -10, 15, 20), 2.2, 2.2);
        if (shadow)
            break;
        p.setPen(Qt::NoPen);
        p.setBrush(darkGreen());
        p.drawRoundedRect(QRectF(-5.3, -7.8, 10.6, 4.6), 1, 1);
        p.setBrush(accent);
        p.drawRect(QRectF(-0.5, -6.6, 4.4, 2.2));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col) {
                p.setBrush(row == 2 && col == 2 ? brightGreen().darker(120) : darkGreen());
                p.drawRoundedRect(QRectF(-5.3 + col * 3.8, -1.2 + row * 3.6, 3, 2.6), 0.6, 0.6);
            }
        break;
    }
    }
}

void paintGlyph(QPainter& p, Glyph glyph, const QPointF& centre, qreal scale, const QColor& accent)
{
    p.save();
    p.translate(centre + QPointF(0, scale * 1.1));
    p.scale(scale, scale);
    paintGlyphShape(p, glyph, QColor(0, 36, 0, 120), accent, true);
    p.restore();

    p.save();
    p.translate(centre);
    p.scale(scale, scale);
    paintGlyphShape(p, glyph, QColor(255, 255, 255), accent, false);
    p.restore();
}

QColor glyphAccent(Glyph glyph)
{
    switch (glyph) {
    case Glyph::Create:
        return QColor(240, 170, 40); // a warm badge reads as "new"
    default:
        return linkNormal();
    }
}

// The one frame everything is cut from: a dark green rim with a lit inner edge.
QPixmap paintedFrame()
{
    const QSize size(64, 64);
    QPixmap frame(size);
    QPainter p(&frame);
    p.fillRect(frame.rect(), darkGreen());
    // Rings from the outside in: outline, body, a bright inner line.
    const QColor rings[5] = {QColor(0, 30, 0), QColor(0, 92, 16), QColor(0, 78, 8), QColor(0, 64, 0),
                             QColor(70, 178, 80)};
    for (int i = 0; i < 5; ++i) {
        p.setPen(rings[i]);
        p.drawRect(QRect(i, i, size.width() - 1 - 2 * i, size.height() - 1 - 2 * i));
    }
    return frame;
}

} // namespace

QPixmap toolButton(Glyph glyph, QSize size, ButtonState state)
{
    QPixmap pixmap = transparentPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const bool large = size.width() >= 48;
    const qreal inset = large ? 3.5 : 2.5;
    QRectF r(inset, inset, size.width() - 2 * inset - 1, size.height() - 2 * inset - 1);
    if (state == ButtonState::Down)
        r.translate(1, 1);
    const QColor ring = state == ButtonState::Over ? linkHover() : QColor();
    paintTile(p, r, large ? 10 : 7, tileShades(state), state, ring);
    paintGlyph(p, glyph, r.center(), large ? 1.12 : 0.74, glyphAccent(glyph));
    return pixmap;
}

QPixmap windowButton(Glyph glyph, QSize size, int tileWidth, ButtonState state)
{
    QPixmap pixmap = transparentPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r(1, 1, tileWidth - 2.5, size.height() - 2.5);
    if (state == ButtonState::Down)
        r.translate(0.8, 0.8);
    Shades shades = tileShades(state);
    if (glyph == Glyph::Close && state != ButtonState::Normal) {
        // Closing is the one warm colour of the caption bar.
        shades = state == ButtonState::Over
            ? Shades{QColor(236, 104, 88), QColor(176, 36, 26), QColor(96, 14, 8)}
            : Shades{QColor(150, 30, 20), QColor(110, 18, 10), QColor(70, 8, 4)};
    }
    paintTile(p, r, 4, shades, state, QColor());
    paintGlyph(p, glyph, r.center(), 0.64, QColor());
    return pixmap;
}

QPixmap tab(bool chosen)
{
    const QSize size(106, 31);
    QPixmap pixmap = transparentPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size.width() - 1, size.height() + 8); // the bottom runs off into the page
    QPainterPath shape;
    shape.addRoundedRect(r, 8, 8);

    QLinearGradient fill(r.topLeft(), QPointF(r.left(), size.height()));
    if (chosen) {
        fill.setColorAt(0, QColor(84, 196, 92));
        fill.setColorAt(0.5, QColor(22, 140, 40));
        fill.setColorAt(1, QColor(6, 112, 26));
    } else {
        fill.setColorAt(0, QColor(18, 96, 28));
        fill.setColorAt(1, QColor(0, 54, 4));
    }
    p.fillPath(shape, fill);

    p.save();
    p.setClipPath(shape);
    QLinearGradient shine(QPointF(0, 0), QPointF(0, 14));
    shine.setColorAt(0, QColor(255, 255, 255, chosen ? 90 : 40));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, 0, size.width(), 14), shine);
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 30, 0), 1));
    p.drawPath(shape);
    p.setPen(QPen(chosen ? QColor(170, 240, 170, 200) : QColor(1, 203, 1, 90), 1));
    p.drawRoundedRect(r.adjusted(1, 1, -1, 0), 7, 7);
    return pixmap;
}

QPixmap framePiece(FramePiece piece)
{
    static const QPixmap frame = paintedFrame();
    const int w = frame.width();
    const int h = frame.height();
    switch (piece) {
    case FramePiece::TopLeft:
        return frame.copy(0, 0, 11, 5);
    case FramePiece::TopCenter:
        return frame.copy(24, 0, 8, 5);
    case FramePiece::TopRight:
        return frame.copy(w - 10, 0, 10, 5);
    case FramePiece::MiddleLeft:
        return frame.copy(0, 24, 5, 8);
    case FramePiece::MiddleRight:
        return frame.copy(w - 5, 24, 5, 8);
    case FramePiece::BottomLeft:
        return frame.copy(0, h - 5, 15, 5);
    case FramePiece::BottomCenter:
        return frame.copy(24, h - 5, 8, 5);
    case FramePiece::BottomRight:
        return frame.copy(w - 11, h - 5, 11, 5);
    }
    return {};
}

void paintDialogBackground(QPainter& p, const QRect& area)
{
    QLinearGradient field(area.topLeft(), area.bottomLeft());
    field.setColorAt(0, paleGreenLight());
    field.setColorAt(1, paleGreen());
    p.fillRect(area, field);

    const QRect band(area.left(), area.top(), area.width(), kDialogTitleBand);
    QLinearGradient title(band.topLeft(), band.bottomLeft());
    title.setColorAt(0, QColor(10, 110, 28));
    title.setColorAt(1, darkGreen());
    p.fillRect(band, title);
    p.fillRect(QRect(band.left(), band.bottom() + 1, band.width(), 1), brightGreen());
    QLinearGradient shade(QPointF(0, band.bottom() + 2), QPointF(0, band.bottom() + 6));
    shade.setColorAt(0, QColor(0, 66, 0, 60));
    shade.setColorAt(1, QColor(0, 66, 0, 0));
    p.fillRect(QRect(band.left(), band.bottom() + 2, band.width(), 4), shade);
}

} // namespace Skin
