#include "ui/FormParts.h"

#include "ui/ButtonContainer.h"
#include "ui/GraphicButton.h"

#include <QLabel>

TGraphicButton* imageButton(QWidget* parent, const QString& images, const QString& hint, QPoint at)
{
    auto* button = new TGraphicButton(parent);
    const SkinImage* normal = findButtonImage(images + "Up");
    button->SetImage(normal ? normal : buttonImage(images + "Normal"));
    button->SetImageDown(buttonImage(images + "Down"));
    button->SetImageOver(buttonImage(images + "Over"));
    if (!hint.isEmpty())
        button->SetHint(hint);
    button->move(at);
    return button;
}

QLabel* captionLabel(QWidget* parent, const QString& text, QPoint at, const QColor& colour, bool bold)
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
