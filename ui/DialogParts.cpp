#include "ui/DialogParts.h"

#include "ui/FormParts.h"
#include "ui/Skin.h"

#include <QLabel>

namespace DialogParts {

// The same pieces the forms place: one home for both.
TGraphicButton* imageButton(QWidget* parent, const QString& images, const QString& hint, QPoint at)
{
    return ::imageButton(parent, images, hint, at);
}

QLabel* caption(QWidget* parent, const QString& text, QPoint at, const QColor& colour, bool bold)
{
    return captionLabel(parent, text, at, colour, bold);
}

QLabel* title(QWidget* parent, const QString& text)
{
    return caption(parent, text, {12, 6}, Qt::white, true);
}

QColor labelColour()
{
    return Skin::darkGreen();
}

QWidget* ruleLine(QWidget* parent, const QRect& geometry)
{
    auto* line = new QWidget(parent);
    line->setObjectName(QStringLiteral("ShapeLine"));
    line->setAutoFillBackground(true);
    QPalette rule = line->palette();
    rule.setColor(QPalette::Window, QColor(255, 214, 0));
    line->setPalette(rule);
    line->setGeometry(geometry);
    return line;
}

} // namespace DialogParts
