#include "ui/SkinPicture.h"

#include <QPainter>

SkinPicture::SkinPicture(QWidget* parent) : QWidget(parent) {}

void SkinPicture::SetPicture(const QPixmap& picture, Fit fit)
{
    picture_ = picture;
    fit_ = fit;
    painter_ = nullptr;
    update();
}

void SkinPicture::SetPainter(std::function<void(QPainter&, const QRect&)> painter)
{
    painter_ = std::move(painter);
    picture_ = QPixmap();
    update();
}

void SkinPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (painter_) {
        painter_(painter, rect());
        return;
    }
    if (picture_.isNull())
        return;
    switch (fit_) {
    case Fit::TopLeft:
        painter.drawPixmap(0, 0, picture_);
        break;
    case Fit::Center:
        painter.drawPixmap((width() - picture_.width()) / 2, (height() - picture_.height()) / 2, picture_);
        break;
    case Fit::Stretch:
        painter.drawPixmap(rect(), picture_);
        break;
    }
}
