#include "ui/AdvButton.h"

TAdvButton::TAdvButton(QWidget* parent) : TSkinButton(parent) {}

TAdvButton::~TAdvButton() = default;

void TAdvButton::SetGroupIndex(int groupIndex)
{
    groupIndex_ = groupIndex;
    if (groupIndex_ == 0)
        putUp();
    else if (down_)
        SetDown(true); // joining a group: the others go up
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
    if (!down)
        return; // only another button of the group puts a down button up
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

void TAdvButton::Clicked()
{
    if (groupIndex_ > 0 && !down_)
        SetDown(true);
}

TAdvButton::Drawing TAdvButton::PlanPaint()
{
    Drawing drawing;
    if (groupIndex_ <= 0)
        return drawing;
    // The hover font is the idle one: the chosen and the hovered tab use Font.
    drawing.font = (down_ || MouseOver()) ? Font() : FontOver();
    // Without Image the caption keeps the position it last had.
    if (Image())
        centreCaption(drawing.font, Image()->Width(), Image()->Height());
    int offset = 0;
    if (down_) {
        drawing.picture = Image();
    } else {
        drawing.picture = ImageDown() ? ImageDown() : Image();
        offset = 1;
    }
    placeCaption(drawing, offset);
    return drawing;
}

void TAdvButton::paintEvent(QPaintEvent*)
{
    paint(PlanPaint());
}
