#pragma once

#include "ui/SkinImage.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

// Delivers mouse traffic the way the window system would, one event at a time.
namespace ui_test {

inline void send(QWidget* widget, QEvent::Type type, QPointF at = {5, 5},
                 Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, widget->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                      held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

inline void press(QWidget* w, QPointF at = {5, 5}) { send(w, QEvent::MouseButtonPress, at); }
inline void release(QWidget* w, QPointF at = {5, 5}) { send(w, QEvent::MouseButtonRelease, at); }
inline void click(QWidget* w, QPointF at = {5, 5})
{
    press(w, at);
    release(w, at);
}
// What Qt delivers for a double click: press, release, double click, release.
inline void doubleClick(QWidget* w, QPointF at = {5, 5})
{
    click(w, at);
    send(w, QEvent::MouseButtonDblClick, at);
    release(w, at);
}

// A one-colour picture of the given size, to tell apart which one a button draws.
inline SkinImage solid(const char* name, QSize size, QColor colour)
{
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return SkinImage(QString::fromLatin1(name), pixmap);
}

inline void enter(QWidget* widget)
{
    const QPointF at(1, 1);
    QEnterEvent event(at, at, widget->mapToGlobal(at));
    QCoreApplication::sendEvent(widget, &event);
}

inline void leave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

// The widget's own painting on a transparent canvas (no parent background).
inline QImage paintedAlone(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

inline bool blank(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
    return true;
}

} // namespace ui_test
