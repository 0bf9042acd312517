#include "ui/AdvButton.h"

#include "ui/ErrorGuard.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

TAdvButton::TAdvButton(QWidget* parent) : TSkinButton(parent), fontOver_(defaultButtonFont())
{
    resize(25, 25);
}

TAdvButton::~TAdvButton() = default;

ButtonFont TAdvButton::Font() const
{
    return {font(), palette().color(QPalette::WindowText)};
}

void TAdvButton::SetFont(const ButtonFont& value)
{
    setFont(value.font);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, value.color);
    setPalette(colours);
    update();
}

void TAdvButton::SetImage(const SkinImage* image)
{
    image_ = image;
    if (image_)
        resize(image_->Width(), image_->Height());
    update();
}

void TAdvButton::SetImageDown(const SkinImage* image)
{
    imageDown_ = image;
    update();
}

void TAdvButton::SetImageOver(const SkinImage* image)
{
    imageOver_ = image;
    update();
}

void TAdvButton::SetFontOver(const ButtonFont& font)
{
    fontOver_ = font;
    update();
}

void TAdvButton::SetGroupIndex(int groupIndex)
{
    groupIndex_ = groupIndex;
    if (groupIndex_ == 0)
        putUp();
    else if (down_)
        SetDown(true); // joining a group: the others go up
    update();
}

void TAdvButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void TAdvButton::putUp()
{
    if (down_) {
        down_ = false;
        update();
    }
}

void TAdvButton::SetDown(bool down)
{
    if (groupIndex_ == 0)
        down = false;
    if (down == down_) {
        if (!down)
            return;
    } else if (!down) {
        return; // only another button of the group puts a down button up
    }
    down_ = true;
    update();
    if (!parentWidget())
        return;
    for (QObject* child : parentWidget()->children()) {
        auto* other = dynamic_cast<TAdvButton*>(child);
        if (other && other != this && other->groupIndex_ == groupIndex_)
            other->putUp();
    }
}

void TAdvButton::CMMouseEnter()
{
    TSkinButton::CMMouseEnter();
    update();
}

void TAdvButton::CMMouseLeave()
{
    TSkinButton::CMMouseLeave();
    update();
}

void TAdvButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressedHere_ = true;
}

void TAdvButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = pressedHere_ && rect().contains(event->position().toPoint());
    pressedHere_ = false;
    if (!click)
        return;
    if (groupIndex_ > 0 && !down_)
        SetDown(true);
    if (OnClick)
        guarded(OnClick);
}

TAdvButton::Drawing TAdvButton::PlanPaint()
{
    Drawing drawing;
    if (groupIndex_ <= 0)
        return drawing;
    // The hover font is the idle one: the chosen and the hovered tab use Font.
    drawing.font = (down_ || mouseOver_) ? Font() : fontOver_;
    if (image_) {
        const QFontMetrics metrics(drawing.font.font);
        captionX_ = image_->Width() / 2.0 - metrics.horizontalAdvance(caption_) / 2.0;
        captionY_ = image_->Height() / 2.0 - metrics.height() / 2.0;
    }
    int offset = 0;
    if (down_) {
        drawing.picture = image_;
    } else {
        drawing.picture = imageDown_ ? imageDown_ : image_;
        offset = 1;
    }
    drawing.textX = static_cast<int>(captionX_ + offset);
    drawing.textY = static_cast<int>(captionY_ + offset);
    return drawing;
}

void TAdvButton::paintEvent(QPaintEvent*)
{
    const Drawing drawing = PlanPaint();
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
