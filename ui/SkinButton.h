#pragma once

#include "ui/SkinImage.h"

#include <QWidget>

#include <functional>

// What the two image buttons share: knowing whether the pointer is over them
// (also while a mouse button is held, when Qt holds enter and leave back, and
// when their window is hidden under the pointer), hints that can be switched
// off, the click handler, and what a repaint draws.
class TSkinButton : public QWidget {
public:
    explicit TSkinButton(QWidget* parent = nullptr);

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

    bool event(QEvent* event) override;
    // A double click is a second press: a latching button flips twice.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    bool mouseOver_ = false;
    bool pressedHere_ = false; // the left button went down on this button

private:
    bool showHint_ = true;
};
