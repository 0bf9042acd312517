#pragma once

#include <QColor>
#include <QPoint>
#include <QString>

class QLabel;
class QSplitter;
class QWidget;
class TGraphicButton;

// Builders for the pieces every skinned window places by hand.

// An image button showing the container's picture set `images`: "ImgOk" takes
// ImgOkUp, ImgOkDown and ImgOkOver; a caption-bar set ("ImgExit") its Normal
// picture instead of Up. The hint is shown unless empty; the picture gives the size.
TGraphicButton* imageButton(QWidget* parent, const QString& images, const QString& hint = {}, QPoint at = {});

// A label in the form's font (bold if asked) and a colour, sized to its text.
QLabel* captionLabel(QWidget* parent, const QString& text, QPoint at, const QColor& colour, bool bold = false);

// A horizontal splitter between a page's client and its navigation panel; its
// 3-pixel handle is a flat bar of `colour`. Drawn by the handle itself: a style
// sheet would restyle every widget of the page and slow down all their painting.
QSplitter* pageSplitter(QWidget* parent, const QColor& colour);
