#include "ui/SkinButton.h"

#include <QMouseEvent>

TSkinButton::TSkinButton(QWidget* parent) : QWidget(parent) {}

void TSkinButton::CMMouseEnter()
{
    mouseOver_ = true;
}

void TSkinButton::CMMouseLeave()
{
    mouseOver_ = false;
}

void TSkinButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

// While a mouse button is held Qt grabs the pointer for the pressed button and
// holds its leave and enter notifications back until the release. The moves still
// arrive, so they tell when the pointer goes off the button and comes back: a
// pressed look must end as soon as the pointer leaves, not at the release.
void TSkinButton::mouseMoveEvent(QMouseEvent* event)
{
    const bool inside = rect().contains(event->position().toPoint());
    if (inside && !mouseOver_)
        CMMouseEnter();
    else if (!inside && mouseOver_)
        CMMouseLeave();
}

void TSkinButton::enterEvent(QEnterEvent*)
{
    CMMouseEnter();
}

void TSkinButton::leaveEvent(QEvent*)
{
    CMMouseLeave();
}

// A hidden button is not under the pointer, but no leave comes when its window
// closes under it: without this a dialog closed by a click on one of its buttons
// would show that button hovered the next time it opens.
void TSkinButton::hideEvent(QHideEvent*)
{
    if (mouseOver_)
        CMMouseLeave();
}

bool TSkinButton::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !showHint_) {
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}
