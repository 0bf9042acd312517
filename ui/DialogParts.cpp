#include "ui/DialogParts.h"

#include "ui/ButtonContainer.h"
#include "ui/GraphicButton.h"
#include "ui/Skin.h"

#include <QLabel>

namespace DialogParts {

TGraphicButton* imageButton(QWidget* parent, const QString& images, const QString& hint, QPoint at)
{
    auto* button = new TGraphicButton(parent);
    button->SetImage(buttonImage(images + "Up"));
    button->SetImageDown(buttonImage(images + "Down"));
    button->SetImageOver(buttonImage(images + "Over"));
    if (!hint.isEmpty())
        button->SetHint(hint);
    button->move(at);
    return button;
}

QLabel* caption(QWidget* parent, const QString& text, QPoint at, const QColor& colour, bool bold)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(at);
    label->adjustSize();
    return label;
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
