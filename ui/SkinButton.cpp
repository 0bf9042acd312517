#include "ui/SkinButton.h"

#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

ButtonFont defaultButtonFont()
{
    return {formFont(), QPalette().color(QPalette::WindowText)};
}

TSkinButton::TSkinButton(QWidget* parent) : QWidget(parent), fontOver_(defaultButtonFont())
{
    resize(25, 25);
}

ButtonFont TSkinButton::Font() const
{
    return {font(), palette().color(QPalette::WindowText)};
}

void TSkinButton::SetFont(const ButtonFont& value)
{
    setFont(value.font);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, value.color);
    setPalette(colours);
    update();
}

void TSkinButton::SetImage(const SkinImage* image)
{
    image_ = image;
    if (image_)
        resize(image_->Width(), image_->Height());
    update();
}

void TSkinButton::SetImageDown(const SkinImage* image)
{
    imageDown_ = image;
    update();
}

void TSkinButton::SetImageOver(const SkinImage* image)
{
    imageOver_ = image;
    update();
}

void TSkinButton::SetFontOver(const ButtonFont& font)
{
    fontOver_ = font;
}

void TSkinButton::setCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void TSkinButton::centreCaption(const ButtonFont& font, double w, double h)
{
    const QFontMetrics metrics(font.font);
    captionX_ = w / 2.0 - metrics.horizontalAdvance(caption_) / 2.0;
    captionY_ = h / 2.0 - metrics.height() / 2.0;
}

void TSkinButton::placeCaption(Drawing& drawing, int offset) const
{
    // Truncation toward zero, not flooring: a caption 0.5 px left of the edge starts at 0.
    drawing.textX = static_cast<int>(captionX_ + offset);
    drawing.textY = static_cast<int>(captionY_ + offset);
}

void TSkinButton::paint(const Drawing& drawing)
{
    if (!drawing.picture)
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, drawing.picture->Bitmap());
    if (caption_.isEmpty())
        return;
    painter.setFont(drawing.font.font);
    painter.setPen(drawing.font.color);
    const QFontMetrics metrics(drawing.font.font);
    painter.drawText(QPoint(drawing.textX, drawing.textY + metrics.ascent()), caption_);
}

void TSkinButton::CMMouseEnter()
{
    mouseOver_ = true;
    update();
}

void TSkinButton::CMMouseLeave()
{
    mouseOver_ = false;
    update();
}

void TSkinButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressedHere_ = true;
    CMLeftButtonDown();
}

// A double click is a second press for the button's look (a latching button flips
// twice), but the pair it ends was already clicked: its release clicks nothing.
void TSkinButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressedHere_ = false;
    CMLeftButtonDown();
}

void TSkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    CMLeftButtonUp();
    const bool click = pressedHere_ && rect().contains(event->position().toPoint());
    pressedHere_ = false;
    if (!click)
        return;
    Clicked();
    if (OnClick)
        guarded(OnClick);
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
