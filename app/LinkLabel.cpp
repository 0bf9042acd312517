#include "app/LinkLabel.h"

#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    QFont font = formFont();
    font.setUnderline(true);
    setFont(font);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
    adjustSize();
}

void LinkLabel::SetFontColor(const QColor& color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
}

QColor LinkLabel::FontColor() const
{
    return palette().color(QPalette::WindowText);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        guarded(OnClick);
}

void LinkLabel::enterEvent(QEnterEvent*)
{
    if (OnMouseEnter)
        guarded(OnMouseEnter);
}

void LinkLabel::leaveEvent(QEvent*)
{
    if (OnMouseLeave)
        guarded(OnMouseLeave);
}
