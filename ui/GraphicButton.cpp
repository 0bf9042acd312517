#include "ui/GraphicButton.h"

TGraphicButton::TGraphicButton(QWidget* parent) : TSkinButton(parent) {}

TGraphicButton::~TGraphicButton() = default;

void TGraphicButton::SetAllowDown(bool allowDown)
{
    allowDown_ = allowDown;
    update();
}

void TGraphicButton::SetDown(bool down)
{
    down_ = allowDown_ && down;
    pressedLook_ = down_;
    update();
}

void TGraphicButton::CMLeftButtonDown()
{
    if (allowDown_)
        SetDown(!down_);
    pressedLook_ = !down_;
    update();
}

void TGraphicButton::CMLeftButtonUp()
{
    pressedLook_ = down_;
    update();
}

void TGraphicButton::CMMouseLeave()
{
    pressedLook_ = down_;
    TSkinButton::CMMouseLeave();
}

TGraphicButton::Drawing TGraphicButton::PlanPaint()
{
    Drawing drawing;
    const bool over = MouseOver();
    const bool useFontOver = (allowDown_ && pressedLook_ && !over) || (!allowDown_ && over);
    drawing.font = useFontOver ? FontOver() : Font();
    centreCaption(drawing.font, Image() ? Image()->Width() : width(), Image() ? Image()->Height() : height());

    int offset = 0;
    if (pressedLook_) {
        drawing.picture = ImageDown() ? ImageDown() : Image();
        offset = ImageDown() ? 1 : 0;
    } else if (over && !allowDown_) {
        if (ImageOver()) {
            drawing.picture = ImageOver();
        } else if (ImageDown()) {
            drawing.picture = ImageDown();
            offset = 1;
        } else {
            drawing.picture = Image();
        }
    } else {
        drawing.picture = Image();
    }
    placeCaption(drawing, offset);
    return drawing;
}

void TGraphicButton::paintEvent(QPaintEvent*)
{
    paint(PlanPaint());
}
