#pragma once

#include <QStackedWidget>
#include <QStringList>

#include <vector>

class QLabel;
class SkinPicture;
class TFormTemplateDialog;
class TGraphicButton;

// The pages of a wizard dialog, shown one at a time. Each page is named, shows
// its step ("(Step 2/3)") in red at the top right, and has the dialog's
// background behind its controls, which drags the dialog like the frame's own.
// Prev and Next page through them and are enabled only where there is a page to
// go to. Must be placed inside the dialog's background picture.
class WizardPages : public QStackedWidget {
public:
    WizardPages(TFormTemplateDialog& dialog, QWidget* parent, const QStringList& pageNames);

    int PageCount() const { return count(); }
    int PageIndex() const { return currentIndex(); }
    QWidget* Page(int index) const { return widget(index); }
    SkinPicture* PageImage(int index) const;
    QLabel* StepLabel(int index) const;

    // The two buttons paging works with; enabling them is the pages' business.
    void SetButtons(TGraphicButton* prev, TGraphicButton* next);

    void ShowFirst(); // every showing starts here: Prev disabled, Next enabled
    // Leaving a page stores the numbers its boxes show; a box showing none keeps the page.
    void ShowNext();
    void ShowPrior();
    // For OK: false, with the page of the first box showing no number shown, when there is one.
    bool StoreTypedNumbers();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showPage(int index);
    bool storeNumbersOf(int index);
    void layoutPages();

    std::vector<SkinPicture*> images_;
    std::vector<QLabel*> steps_;
    TGraphicButton* prev_ = nullptr;
    TGraphicButton* next_ = nullptr;
};
