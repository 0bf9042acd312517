#pragma once

#include "ui/SkinButton.h"

// A picture button drawn from the container's bitmaps: normal, pressed and hover
// pictures, an optional centred text and an optional latching mode (AllowDown).
// It paints over its parent; where no picture is chosen nothing is drawn at all.
class TGraphicButton : public TSkinButton {
public:
    explicit TGraphicButton(QWidget* parent = nullptr);
    ~TGraphicButton() override;

    bool AllowDown() const { return allowDown_; }
    bool Down() const { return down_; }
    const QString& Text() const { return caption(); }

    void SetText(const QString& text) { setCaption(text); }
    void SetAllowDown(bool allowDown);        // Down is left as it is
    void SetDown(bool down);                  // refused (stays false) unless AllowDown

    // Read-outs of the private state, for tests and the screenshot tool.
    bool PressedLook() const { return pressedLook_; }

    Drawing PlanPaint(); // also updates the caption position

protected:
    void CMLeftButtonDown() override;
    void CMLeftButtonUp() override;
    void CMMouseLeave() override;

    void paintEvent(QPaintEvent* event) override;

private:
    bool allowDown_ = false;
    bool down_ = false;
    bool pressedLook_ = false;
};
