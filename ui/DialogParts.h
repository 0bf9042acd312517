#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;
class TGraphicButton;

// The small pieces every dialog is laid out from, made in one place so that all
// dialogs look alike.
namespace DialogParts {

// A picture button from the container's set `images` ("ImgOk" takes ImgOkUp,
// ImgOkDown and ImgOkOver), with an optional hint, at `at` in its parent.
TGraphicButton* imageButton(QWidget* parent, const QString& images, const QString& hint, QPoint at);

// A label sized to its text at `at`.
QLabel* caption(QWidget* parent, const QString& text, QPoint at, const QColor& colour, bool bold = false);

// The dialog's title, white on the background's title band.
QLabel* title(QWidget* parent, const QString& text);

// The colour of the labels over the boxes.
QColor labelColour();

// The wizards' yellow rule between their pages and their buttons, named "ShapeLine".
QWidget* ruleLine(QWidget* parent, const QRect& geometry);

} // namespace DialogParts
