#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// The program's skin: one palette and the painters that draw every piece of art
// at start-up. Nothing is loaded from files.
namespace Skin {

// The palette the forms use, from their colour numbers.
QColor darkGreen();       // 16896: headers, frames, label text
QColor brightGreen();     // 117505: splitters, accents
QColor paleGreen();       // 13100231: side panels
QColor paleGreenLight();  // 15003364: client panels, dialog background
QColor linkNormal();      // 16503172
QColor linkHover();       // 16707798
QColor tabText();         // the chosen or hovered page tab's caption
QColor tabTextIdle();     // the other tabs' captions
QColor gridBackground();  // 15990513: the rows of data grids
QColor gridFixed();       // 11259042: grid titles and title bars

enum class ButtonState { Normal, Down, Over };

// What a picture button shows; the names follow the container's image names.
enum class Glyph {
    Create, Edit, Delete, Add, Remove, Ok, Cancel, Calc, Search, Prev, Next,
    Minimise, Maximise, Close, Print, Pdf, Paste, Link, Import, Export, Scale, Basket, Book, Copy,
};

// A rounded green tile with a white glyph (the 32- and 48-pixel buttons).
QPixmap toolButton(Glyph glyph, QSize size, ButtonState state);
// The small caption-bar buttons (minimise, maximise, close); the tile keeps to
// the left 19 or 20 columns of `size`.
QPixmap windowButton(Glyph glyph, QSize size, int tileWidth, ButtonState state);
// A page tab, 106 by 31: the chosen tab or an idle one.
QPixmap tab(bool chosen);

// The dialog frame: pieces cut from one painted frame so they join seamlessly.
enum class FramePiece {
    TopLeft, TopCenter, TopRight, MiddleLeft, MiddleRight, BottomLeft, BottomCenter, BottomRight,
};
QPixmap framePiece(FramePiece piece);
// The dialog's background at its real size: a title band over a pale field.
void paintDialogBackground(QPainter& painter, const QRect& area);
constexpr int kDialogTitleBand = 26;

} // namespace Skin
