#pragma once

#include "SkinImage.h"

#include <QWidget>

#include <functional>

// A picture button drawn from the container's bitmaps: normal, pressed and hover
// pictures, an optional centred text and an optional latching mode (AllowDown).
// It paints over its parent; where no picture is chosen nothing is drawn at all.
class TGraphicButton : public QWidget {
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
    QString Hint() const { return toolTip(); }
    bool ShowHint() const { return showHint_; }

    // A non-empty Image also gives the button its size.
    void SetImage(const SkinImage* image);
    void SetImageDown(const SkinImage* image);
    void SetImageOver(const SkinImage* image);
    void SetFontOver(const ButtonFont& font); // stores only; seen at the next repaint
    void SetFont(const ButtonFont& font);
    void SetText(const QString& text);
    void SetAllowDown(bool allowDown);        // Down is left as it is
    void SetDown(bool down);                  // refused (stays false) unless AllowDown
    void SetHint(const QString& hint) { setToolTip(hint); }
    void SetShowHint(bool show) { showHint_ = show; }

    // Raised when the left button is released over the button it was pressed on.
    std::function<void()> OnClick;

    // Read-outs of the private state, for tests and the screenshot tool.
    bool MouseOver() const { return mouseOver_; }
    bool PressedLook() const { return pressedLook_; }

    // What a repaint draws; `picture` is null when nothing is drawn.
    struct Drawing {
        const SkinImage* picture = nullptr;
        ButtonFont font;
        int textX = 0;
        int textY = 0;
    };
    Drawing PlanPaint(); // also updates the caption position

protected:
    void CMLeftButtonDown();
    void CMLeftButtonUp();
    void CMMouseEnter();
    void CMMouseLeave();

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const SkinImage* image_ = nullptr;
    const SkinImage* imageDown_ = nullptr;
    const SkinImage* imageOver_ = nullptr;
    bool allowDown_ = false;
    bool down_ = false;
    QString text_;
    ButtonFont fontOver_;
    bool showHint_ = true;

    bool mouseOver_ = false;
    bool pressedLook_ = false;
    bool pressedHere_ = false; // the left button went down on this button
    double captionX_ = 0;
    double captionY_ = 0;
};
