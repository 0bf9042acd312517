#pragma once

#include "ui/SkinButton.h"

// A captioned tab button that latches within its group: buttons with the same
// GroupIndex (above 0) on the same parent. Releasing the left button over an up
// button puts it down and the rest of its group up; a down button stays down when
// clicked. OnClick is raised on every such release. A button with GroupIndex 0 or
// less draws nothing. Its ImageOver is kept but never drawn.
class TAdvButton : public TSkinButton {
public:
    explicit TAdvButton(QWidget* parent = nullptr);
    ~TAdvButton() override;

    int GroupIndex() const { return groupIndex_; }
    bool Down() const { return down_; }
    const QString& Caption() const { return caption(); }

    void SetGroupIndex(int groupIndex);
    // Down puts the rest of the group up. Without a group (GroupIndex 0) a button
    // is never down, and a down button is put up only by another of its group.
    void SetDown(bool down);
    void SetCaption(const QString& caption) { setCaption(caption); }

    Drawing PlanPaint(); // also updates the caption position

protected:
    void Clicked() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void putUp();

    int groupIndex_ = 0;
    bool down_ = false;
};
