#include "app/MainFormArt.h"

#include "ui/Skin.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>

namespace MainFormArt {

namespace {

// The light line under the header where the page begins.
void paintHeaderFoot(QPainter& painter, const QRect& area)
{
    painter.fillRect(QRect(area.left(), area.bottom() - 1, area.width(), 2), Skin::brightGreen().darker(130));
}

} // namespace

QLinearGradient headerGradient(const QRect& area)
{
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0.0, QColor(18, 104, 30));
    gradient.setColorAt(0.55, Skin::darkGreen());
    gradient.setColorAt(1.0, QColor(0, 40, 0));
    return gradient;
}

void paintLeaf(QPainter& painter, QPointF centre, qreal size)
{
    QPainterPath leaf;
    leaf.moveTo(centre + QPointF(-size * 0.5, size * 0.5));
    leaf.cubicTo(centre + QPointF(-size * 0.6, -size * 0.3), centre + QPointF(size * 0.1, -size * 0.7),
                 centre + QPointF(size * 0.55, -size * 0.55));
    leaf.cubicTo(centre + QPointF(size * 0.6, size * 0.1), centre + QPointF(-size * 0.1, size * 0.6),
                 centre + QPointF(-size * 0.5, size * 0.5));
    QLinearGradient fill(centre + QPointF(-size / 2, size / 2), centre + QPointF(size / 2, -size / 2));
    fill.setColorAt(0, Skin::brightGreen());
    fill.setColorAt(1, QColor(190, 240, 150));
    painter.fillPath(leaf, fill);
    painter.setPen(QPen(QColor(0, 60, 0), 1.6));
    painter.drawLine(centre + QPointF(-size * 0.42, size * 0.42), centre + QPointF(size * 0.3, -size * 0.3));
}

void paintHeaderLeft(QPainter& painter, const QRect& area)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, headerGradient(area));
    // A rounded top-left corner against the desktop.
    QPainterPath corner;
    corner.addRect(QRectF(area.left(), area.top(), 10, 10));
    QPainterPath round;
    round.addEllipse(QRectF(area.left(), area.top(), 20, 20));
    painter.fillPath(corner.subtracted(round), QColor(0, 30, 0));

    paintLeaf(painter, QPointF(area.left() + 36, area.top() + 30), 30);
    QFont title("Liberation Serif");
    title.setPixelSize(30);
    title.setBold(true);
    title.setItalic(true);
    painter.setFont(title);
    painter.setPen(QColor(0, 25, 0, 150));
    painter.drawText(QPointF(area.left() + 63, area.top() + 42), "Saporia");
    painter.setPen(QColor(240, 255, 235));
    painter.drawText(QPointF(area.left() + 62, area.top() + 40), "Saporia");
    QFont tagline("Liberation Sans");
    tagline.setPixelSize(11);
    painter.setFont(tagline);
    painter.setPen(QColor(190, 235, 180));
    painter.drawText(QPointF(area.left() + 64, area.top() + 58), "recipes and what is in them");
    paintHeaderFoot(painter, area);
}

void paintHeaderCenter(QPainter& painter, const QRect& area)
{
    painter.fillRect(area, headerGradient(area));
    paintHeaderFoot(painter, area);
}

void paintHeaderRight(QPainter& painter, const QRect& area)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, headerGradient(area));
    QPainterPath corner;
    corner.addRect(QRectF(area.right() - 9, area.top(), 10, 10));
    QPainterPath round;
    round.addEllipse(QRectF(area.right() - 19, area.top(), 20, 20));
    painter.fillPath(corner.subtracted(round), QColor(0, 30, 0));
    paintHeaderFoot(painter, area);
}

void paintSideBorder(QPainter& painter, const QRect& area, bool left)
{
    QLinearGradient gradient(area.topLeft(), area.topRight());
    const QColor outer(0, 40, 0);
    const QColor inner = Skin::darkGreen().lighter(150);
    gradient.setColorAt(0, left ? outer : inner);
    gradient.setColorAt(1, left ? inner : outer);
    painter.fillRect(area, gradient);
}

void paintBottomBar(QPainter& painter, const QRect& area)
{
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, QColor(0, 40, 0));
    gradient.setColorAt(0.15, Skin::darkGreen());
    gradient.setColorAt(1, QColor(10, 86, 22));
    painter.fillRect(area, gradient);
    painter.fillRect(QRect(area.left(), area.top(), area.width(), 1), Skin::brightGreen().darker(140));
}

void paintPageHeader(QPainter& painter, const QRect& area)
{
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, Skin::paleGreenLight());
    gradient.setColorAt(1, Skin::paleGreen());
    painter.fillRect(area, gradient);
    painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), Skin::brightGreen());
}

void paintShadow(QPainter& painter, const QRect& area, bool fallsRight)
{
    QLinearGradient gradient(area.topLeft(), area.topRight());
    const QColor dark(0, 40, 0, 110);
    const QColor clear(0, 40, 0, 0);
    gradient.setColorAt(0, fallsRight ? dark : clear);
    gradient.setColorAt(1, fallsRight ? clear : dark);
    painter.fillRect(area, gradient);
}

} // namespace MainFormArt
