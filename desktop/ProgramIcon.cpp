#include "desktop/ProgramIcon.h"

#include "app/MainFormArt.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The icon is designed on a 32-unit square and scaled, so every size has the same shape.
constexpr qreal kDesign = 32;

} // namespace

QImage programIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kDesign, size / kDesign);

    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, kDesign - 2, kDesign - 2), 7, 7);
    painter.fillPath(tile, MainFormArt::headerGradient(QRect(0, 0, int(kDesign), int(kDesign))));
    MainFormArt::paintLeaf(painter, QPointF(kDesign / 2, kDesign / 2), 20);
    return image;
}
