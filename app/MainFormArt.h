#pragma once

#include <QLinearGradient>
#include <QPainter>
#include <QRect>

// The main window's skin art, painted at the size each picture has, in the
// palette of the button skin.
namespace MainFormArt {
// The header's vertical gradient, shared by its three pieces so they join.
QLinearGradient headerGradient(const QRect& area);
// The program's mark, also drawn as its desktop icon.
void paintLeaf(QPainter& painter, QPointF centre, qreal size);
void paintHeaderLeft(QPainter& painter, const QRect& area);   // the title with the program's mark
void paintHeaderCenter(QPainter& painter, const QRect& area); // the band the tabs stand on
void paintHeaderRight(QPainter& painter, const QRect& area);  // the rounded end
void paintSideBorder(QPainter& painter, const QRect& area, bool left);
void paintBottomBar(QPainter& painter, const QRect& area);
void paintPageHeader(QPainter& painter, const QRect& area);   // the strip above a page
// A splitter's shadow on the panel beside it, darkest at the splitter's side.
void paintShadow(QPainter& painter, const QRect& area, bool fallsRight);
} // namespace MainFormArt
