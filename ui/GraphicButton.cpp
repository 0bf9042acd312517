#include "ui/GraphicButton.h"

#include "ui/ErrorGuard.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

ButtonFont defaultButtonFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return {font, QPalette().color(QPalette::WindowText)};
}

TGraphicButton::TGraphicButton(QWidget* parent) : TSkinButton(parent), fontOver_(defaultButtonFont())
{
    resize(25, 25);
    setMouseTracking(false);
}

TGraphicButton::~TGraphicButton() = default;

ButtonFont TGraphicButton::Font() const
{
    return {font(), palette().color(QPalette::WindowText)};
}

void TGraphicButton::SetFont(const ButtonFont& value)
{
    setFont(value.font);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, value.color);
    setPalette(colours);
    update();
}

void TGraphicButton::SetImage(const SkinImage* image)
{
    image_ = image;
    if (image_)
        resize(image_->Width(), image_->Height());
    update();
}

void TGraphicButton::SetImageDown(const SkinImage* image)
{
    imageDown_ = image;
    update();
}

void TGraphicButton::SetImageOver(const SkinImage* image)
{
    imageOver_ = image;
    update();
}

void TGraphicButton::SetFontOver(const ButtonFont& font)
{
    fontOver_ = font;
}

void TGraphicButton::SetText(const QString& text)
{
    text_ = text;
    update();
}

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

void TGraphicButton::CMMouseEnter()
{
    TSkinButton::CMMouseEnter();
    update();
}

void TGraphicButton::CMMouseLeave()
{
    pressedLook_ = down_;
    TSkinButton::CMMouseLeave();
    update();
}

void TGraphicButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressedHere_ = true;
    CMLeftButtonDown();
}

void TGraphicButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    CMLeftButtonUp();
    const bool click = pressedHere_ && rect().contains(event->position().toPoint());
    pressedHere_ = false;
    if (click && OnClick)
        guarded(OnClick);
}

TGraphicButton::Drawing TGraphicButton::PlanPaint()
{
    Drawing drawing;
    const bool useFontOver = (allowDown_ && pressedLook_ && !mouseOver_) || (!allowDown_ && mouseOver_);
    drawing.font = useFontOver ? fontOver_ : Font();

    const QFontMetrics metrics(drawing.font.font);
    const double w = image_ ? image_->Width() : width();
    const double h = image_ ? image_->Height() : height();
    captionX_ = w / 2.0 - metrics.horizontalAdvance(text_) / 2.0;
    captionY_ = h / 2.0 - metrics.height() / 2.0;

    int offset = 0;
    if (pressedLook_) {
        if (imageDown_) {
            drawing.picture = imageDown_;
            offset = 1;
        } else {
            drawing.picture = image_;
        }
    } else if (mouseOver_ && !allowDown_) {
        if (imageOver_) {
            drawing.picture = imageOver_;
        } else if (imageDown_) {
            drawing.picture = imageDown_;
            offset = 1;
        } else {
            drawing.picture = image_;
        }
    } else {
        drawing.picture = image_;
    }
    // Truncation toward zero, not flooring: a caption 0.5 px left of the edge starts at 0.
    drawing.textX = static_cast<int>(captionX_ + offset);
    drawing.textY = static_cast<int>(captionY_ + offset);
    return drawing;
}

void TGraphicButton::paintEvent(QPaintEvent*)
{
    const Drawing drawing = PlanPaint();
    if (!drawing.picture)
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, drawing.picture->Bitmap());
    if (text_.isEmpty())
        return;
    painter.setFont(drawing.font.font);
    painter.setPen(drawing.font.color);
    const QFontMetrics metrics(drawing.font.font);
    painter.drawText(QPoint(drawing.textX, drawing.textY + metrics.ascent()), text_);
}
