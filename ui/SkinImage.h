#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

#include <functional>

// An image object: a named bitmap with its size. Buttons point to the images the
// button container holds; they never own them. A picture may be drawn when it is
// first shown: most belong to dialogs a session never opens.
class SkinImage {
public:
    SkinImage(QString name, QPixmap bitmap)
        : name_(std::move(name)), size_(bitmap.size()), bitmap_(std::move(bitmap))
    {
    }
    SkinImage(QString name, QSize size, std::function<QPixmap()> draw)
        : name_(std::move(name)), size_(size), draw_(std::move(draw))
    {
    }

    const QString& Name() const { return name_; }
    const QPixmap& Bitmap() const
    {
        if (draw_) {
            bitmap_ = draw_();
            draw_ = nullptr;
        }
        return bitmap_;
    }
    int Width() const { return size_.width(); }
    int Height() const { return size_.height(); }

private:
    QString name_;
    QSize size_;
    mutable QPixmap bitmap_;
    mutable std::function<QPixmap()> draw_;
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
