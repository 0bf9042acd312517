#pragma once

#include <QColor>
#include <QLabel>

#include <functional>

// A bottom-bar text link: transparent, underlined, coloured by its owner on
// pointer enter and leave, clicked with the left button.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& caption, QWidget* parent);

    void SetFontColor(const QColor& color);
    QColor FontColor() const;

    std::function<void()> OnClick;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
};
