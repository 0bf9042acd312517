#pragma once

#include "ui/SkinImage.h"

#include <QWidget>

#include <functional>

// What the two image buttons share: the picture triple they point to (never own),
// the ordinary and hover fonts, the caption and where it is centred, the hint that
// can be switched off, knowing whether the pointer is over them (also while a
// mouse button is held, when Qt holds enter and leave back, and when their window
// is hidden under the pointer), and the click: raised when the left button is
// released over the button it went down on, once per press-release pair (the
// second release of a double click raises nothing). Each button adds its painting
// and what its presses do.
class TSkinButton : public QWidget {
public:
    explicit TSkinButton(QWidget* parent = nullptr);

    const SkinImage* Image() const { return image_; }
    const SkinImage* ImageDown() const { return imageDown_; }
    const SkinImage* ImageOver() const { return imageOver_; }
    const ButtonFont& FontOver() const { return fontOver_; }
    // The ordinary text font: the widget's font and its window-text colour.
    ButtonFont Font() const;

    // A non-empty Image also gives the button its size.
    void SetImage(const SkinImage* image);
    void SetImageDown(const SkinImage* image);
    void SetImageOver(const SkinImage* image);
    void SetFontOver(const ButtonFont& font); // seen at the next repaint
    void SetFont(const ButtonFont& font);

    QString Hint() const { return toolTip(); }
    bool ShowHint() const { return showHint_; }
    void SetHint(const QString& hint) { setToolTip(hint); }
    void SetShowHint(bool show) { showHint_ = show; }

    std::function<void()> OnClick;

    bool MouseOver() const { return mouseOver_; }

    // What a repaint draws; `picture` is null when nothing is drawn.
    struct Drawing {
        const SkinImage* picture = nullptr;
        ButtonFont font;
        int textX = 0;
        int textY = 0;
    };

protected:
    // The pointer came onto or went off the button; they keep MouseOver.
    virtual void CMMouseEnter();
    virtual void CMMouseLeave();
    // A left press (a double click counts as a second press) and a left release.
    virtual void CMLeftButtonDown() {}
    virtual void CMLeftButtonUp() {}
    // Runs on a click, before OnClick.
    virtual void Clicked() {}

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);
    // Centres the caption on a w by h area in `font`; keeps the position for painting.
    void centreCaption(const ButtonFont& font, double w, double h);
    // Places the kept caption position, moved by `offset`, in the drawing.
    void placeCaption(Drawing& drawing, int offset) const;
    void paint(const Drawing& drawing);

    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const SkinImage* image_ = nullptr;
    const SkinImage* imageDown_ = nullptr;
    const SkinImage* imageOver_ = nullptr;
    ButtonFont fontOver_;
    QString caption_;
    double captionX_ = 0;
    double captionY_ = 0;
    bool mouseOver_ = false;
    bool pressedHere_ = false; // the left button went down on this button
    bool showHint_ = true;
};
