#pragma once

#include <QPixmap>
#include <QWidget>

#include <functional>

class QPainter;

// A picture control of a skinned window: a bitmap drawn at the top-left corner,
// centred or stretched over the control, or art painted at the control's size.
class SkinPicture : public QWidget {
public:
    enum class Fit { TopLeft, Center, Stretch };

    explicit SkinPicture(QWidget* parent = nullptr);

    void SetPicture(const QPixmap& picture, Fit fit = Fit::TopLeft);
    // Art that depends on the size (gradients, bands) is painted at the real size
    // instead of stretching a bitmap.
    void SetPainter(std::function<void(QPainter&, const QRect&)> painter);
    const QPixmap& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    Fit fit_ = Fit::TopLeft;
    std::function<void(QPainter&, const QRect&)> painter_;
};
