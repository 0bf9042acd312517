#pragma once

#include "ui/SkinButton.h"

// A picture button drawn from the container's bitmaps: normal, pressed and hover
// pictures, an optional centred text and an optional latching mode (AllowDown).
// It paints over its parent; where no picture is chosen nothing is drawn at all.
class TGraphicButton : public TSkinButton {
public:
    explicit TGraphicButton(QWidget* parent = nullptr);
    ~TGraphicButton() override;

    const SkinImage* Image() const { return image_; }
    const SkinImage* ImageDown() const { return imageDown_; }
    const SkinImage* ImageOver() const { return imageOver_; }
    bool AllowDown() const { return allowDown_; }
    bool Down() const { return down_; }
    const QString& Text() const { return text_; }
    const ButtonFont& FontOver() const { return fontOver_; }
    // The ordinary text font: the widget's font and its window-text colour.
    ButtonFont Font() const;

    // A non-empty Image also gives the button its size.
    void SetImage(const SkinImage* image);
    void SetImageDown(const SkinImage* image);
    void SetImageOver(const SkinImage* image);
    void SetFontOver(const ButtonFont& font); // stores only; seen at the next repaint
    void SetFont(const ButtonFont& font);
    void SetText(const QString& text);
    void SetAllowDown(bool allowDown);        // Down is left as it is
    void SetDown(bool down);                  // refused (stays false) unless AllowDown

    // Read-outs of the private state, for tests and the screenshot tool.
    bool PressedLook() const { return pressedLook_; }

    Drawing PlanPaint(); // also updates the caption position

protected:
    void CMLeftButtonDown();
    void CMLeftButtonUp();
    void CMMouseEnter() override;
    void CMMouseLeave() override;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const SkinImage* image_ = nullptr;
    const SkinImage* imageDown_ = nullptr;
    const SkinImage* imageOver_ = nullptr;
    bool allowDown_ = false;
    bool down_ = false;
    QString text_;
    ButtonFont fontOver_;

    bool pressedLook_ = false;
    double captionX_ = 0;
    double captionY_ = 0;
};
