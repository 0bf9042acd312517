#include "ui/FormParts.h"

#include "ui/ButtonContainer.h"
#include "ui/GraphicButton.h"

#include <QLabel>
#include <QPainter>
#include <QSplitter>

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

namespace {

class FlatSplitterHandle : public QSplitterHandle {
public:
    FlatSplitterHandle(Qt::Orientation orientation, QSplitter* splitter, QColor colour)
        : QSplitterHandle(orientation, splitter), colour_(colour)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }

private:
    QColor colour_;
};

class FlatSplitter : public QSplitter {
public:
    FlatSplitter(QWidget* parent, QColor colour) : QSplitter(Qt::Horizontal, parent), colour_(colour) {}

protected:
    QSplitterHandle* createHandle() override { return new FlatSplitterHandle(orientation(), this, colour_); }

private:
    QColor colour_;
};

} // namespace

QSplitter* pageSplitter(QWidget* parent, const QColor& colour)
{
    auto* splitter = new FlatSplitter(parent, colour);
    splitter->setHandleWidth(3);
    return splitter;
}
