#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

// An image object: a named bitmap with its size. Buttons point to the images the
// button container holds; they never own them.
class SkinImage {
public:
    SkinImage(QString name, QPixmap bitmap) : name_(std::move(name)), bitmap_(std::move(bitmap)) {}

    const QString& Name() const { return name_; }
    const QPixmap& Bitmap() const { return bitmap_; }
    int Width() const { return bitmap_.width(); }
    int Height() const { return bitmap_.height(); }

private:
    QString name_;
    QPixmap bitmap_;
};

// A font as the forms describe one: face, size and colour together.
struct ButtonFont {
    QFont font;
    QColor color;
};

// "MS Sans Serif", 11 pixels high, in the window-text colour: what a button's
// alternative font starts as.
ButtonFont defaultButtonFont();

// Colour numbers as the forms store them: blue in the high byte, red in the low.
inline QColor colorFromNumber(int number)
{
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}
