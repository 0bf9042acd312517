#pragma once

#include "ui/SkinButton.h"

// A captioned tab button that latches within its group: buttons with the same
// GroupIndex (above 0) on the same parent. Releasing the left button over an up
// button puts it down and the rest of its group up; a down button stays down when
// clicked. OnClick is raised on every such release. A button with GroupIndex 0 or
// less draws nothing.
class TAdvButton : public TSkinButton {
public:
    explicit TAdvButton(QWidget* parent = nullptr);
    ~TAdvButton() override;

    const SkinImage* Image() const { return image_; }
    const SkinImage* ImageDown() const { return imageDown_; }
    const SkinImage* ImageOver() const { return imageOver_; } // stored, never drawn
    const ButtonFont& FontOver() const { return fontOver_; }
    ButtonFont Font() const;
    int GroupIndex() const { return groupIndex_; }
    bool Down() const { return down_; }
    const QString& Caption() const { return caption_; }

    void SetImage(const SkinImage* image); // a non-empty Image also gives the size
    void SetImageDown(const SkinImage* image);
    void SetImageOver(const SkinImage* image);
    void SetFontOver(const ButtonFont& font);
    void SetFont(const ButtonFont& font);
    void SetGroupIndex(int groupIndex);
    // Down puts the rest of the group up. Without a group (GroupIndex 0) a button
    // is never down, and a down button is put up only by another of its group.
    void SetDown(bool down);
    void SetCaption(const QString& caption);

    Drawing PlanPaint(); // also updates the caption position

protected:
    void CMMouseEnter() override;
    void CMMouseLeave() override;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void putUp();

    const SkinImage* image_ = nullptr;
    const SkinImage* imageDown_ = nullptr;
    const SkinImage* imageOver_ = nullptr;
    ButtonFont fontOver_;
    int groupIndex_ = 0;
    bool down_ = false;
    QString caption_;

    double captionX_ = 0;
    double captionY_ = 0;
};
