#include "ui/WindowDrag.h"

#include "ui/ErrorGuard.h"

#include <QMouseEvent>
#include <QWidget>

WindowDrag::WindowDrag(QObject* owner, Handlers handlers) : QObject(owner), handlers_(std::move(handlers)) {}

void WindowDrag::bind(QWidget* handle)
{
    handle->installEventFilter(this);
}

void WindowDrag::follow(QWidget& window, double x, double y, double pressX, double pressY)
{
    if (window.isMaximized())
        return;
    window.move(window.x() + static_cast<int>(x - pressX), window.y() + static_cast<int>(y - pressY));
}

bool WindowDrag::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (handlers_.doubleClick) {
            guarded(handlers_.doubleClick);
            return true;
        }
        [[fallthrough]];
    case QEvent::MouseButtonPress: {
        const QPointF at = static_cast<QMouseEvent*>(event)->position();
        guarded([&] { handlers_.down(at.x(), at.y()); });
        return true;
    }
    case QEvent::MouseMove: {
        const QPointF at = static_cast<QMouseEvent*>(event)->position();
        guarded([&] { handlers_.move(at.x(), at.y()); });
        return true;
    }
    case QEvent::MouseButtonRelease:
        guarded(handlers_.up);
        return true;
    default:
        return false;
    }
}
