#include "ui/WizardPages.h"

#include "ui/DataControls.h"
#include "ui/DialogParts.h"
#include "ui/GraphicButton.h"
#include "ui/Skin.h"
#include "ui/SkinPicture.h"
#include "ui/TemplateDialog.h"

#include <QLabel>
#include <QPainter>

namespace {

constexpr int kStepMargin = 10;

} // namespace

WizardPages::WizardPages(TFormTemplateDialog& dialog, QWidget* parent, const QStringList& pageNames)
    : QStackedWidget(parent)
{
    setObjectName(QStringLiteral("NoteBookPages"));
    QWidget* background = dialog.ImgMiddleCenter;
    for (int i = 0; i < pageNames.size(); ++i) {
        auto* page = new QWidget;
        page->setObjectName(pageNames[i]);
        addWidget(page);

        // The page shows the part of the dialog's background it covers, so the
        // background runs on unbroken behind the pages.
        auto* image = new SkinPicture(page);
        image->setObjectName(QStringLiteral("ImgPage%1").arg(i + 1));
        image->SetPainter([page, background](QPainter& painter, const QRect&) {
            painter.translate(-page->mapTo(background, QPoint(0, 0)));
            Skin::paintDialogBackground(painter, background->rect());
        });
        dialog.BindDragHandle(image);
        images_.push_back(image);

        const QString step = QStringLiteral("(Step %1/%2)").arg(i + 1).arg(pageNames.size());
        steps_.push_back(DialogParts::caption(page, step, {0, 6}, Qt::red, true));
    }
    layoutPages();
}

SkinPicture* WizardPages::PageImage(int index) const
{
    return images_.at(static_cast<std::size_t>(index));
}

QLabel* WizardPages::StepLabel(int index) const
{
    return steps_.at(static_cast<std::size_t>(index));
}

void WizardPages::SetButtons(TGraphicButton* prev, TGraphicButton* next)
{
    prev_ = prev;
    next_ = next;
}

void WizardPages::ShowFirst()
{
    showPage(0);
}

void WizardPages::ShowNext()
{
    if (currentIndex() + 1 < count() && storeNumbersOf(currentIndex()))
        showPage(currentIndex() + 1);
}

void WizardPages::ShowPrior()
{
    if (currentIndex() > 0 && storeNumbersOf(currentIndex()))
        showPage(currentIndex() - 1);
}

bool WizardPages::storeNumbersOf(int index)
{
    TDBEdit* refused = firstRefusedNumberBox(widget(index));
    if (!refused)
        return true;
    if (index != currentIndex())
        showPage(index);
    refused->StoreTypedNumber(); // says why and keeps the focus there
    return false;
}

bool WizardPages::StoreTypedNumbers()
{
    if (!storeNumbersOf(currentIndex()))
        return false;
    for (int index = 0; index < count(); ++index)
        if (!storeNumbersOf(index))
            return false;
    return true;
}

void WizardPages::showPage(int index)
{
    setCurrentIndex(index);
    if (prev_)
        prev_->setEnabled(index > 0);
    if (next_)
        next_->setEnabled(index + 1 < count());
}

void WizardPages::resizeEvent(QResizeEvent* event)
{
    QStackedWidget::resizeEvent(event);
    layoutPages();
}

void WizardPages::layoutPages()
{
    for (std::size_t i = 0; i < images_.size(); ++i) {
        images_[i]->setGeometry(rect());
        QLabel* step = steps_[i];
        step->move(width() - step->width() - kStepMargin, step->y());
    }
}
