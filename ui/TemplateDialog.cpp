#include "ui/TemplateDialog.h"

#include "store/ProgramError.h"
#include "seams/Messages.h"
#include "ui/DataControls.h"
#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "ui/FormParts.h"
#include "ui/Skin.h"
#include "ui/WindowDrag.h"

#include <QApplication>
#include <QCursor>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

#include <utility>

#include <algorithm>

TFormTemplateDialog* FormTemplateDialog = nullptr;
std::function<int(TFormTemplateDialog&)> TFormTemplateDialog::ShowModalHook;

namespace {

QWidget* mainWindow = nullptr;

struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

// Said under a store that failed: where the user's work is now.
std::string keptWorkNote(const ProgramError& error)
{
    if (error.fileReadOnly())
        return "Changes cannot be stored in this data folder. What you typed stays here until Cancel drops it.";
    return "What you typed is kept: OK tries again, Cancel drops it.";
}

SkinPicture* framePicture(QWidget* parent, const char* name, Skin::FramePiece piece, SkinPicture::Fit fit)
{
    auto* picture = new SkinPicture(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->SetPicture(Skin::framePiece(piece), fit);
    return picture;
}

QWidget* strip(QWidget* parent, const char* name)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

} // namespace

TFormTemplateDialog::TFormTemplateDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      drag_(new WindowDrag(this, {[this](double x, double y) { ImgMiddleCenterMouseDown(x, y); },
                                  [this](double x, double y) { ImgMiddleCenterMouseMove(x, y); },
                                  [this] { ImgMiddleCenterMouseUp(); },
                                  {}}))
{
    setObjectName(QStringLiteral("FormTemplateDialog"));
    setFont(formFont());
    setModal(true);

    using Fit = SkinPicture::Fit;
    using Piece = Skin::FramePiece;
    ImgMiddleLeft = framePicture(this, "ImgMiddleLeft", Piece::MiddleLeft, Fit::Stretch);
    ImgMiddleRight = framePicture(this, "ImgMiddleRight", Piece::MiddleRight, Fit::Stretch);
    ImgMiddleCenter = new SkinPicture(this);
    ImgMiddleCenter->setObjectName(QStringLiteral("ImgMiddleCenter"));
    ImgMiddleCenter->SetPainter(Skin::paintDialogBackground);

    GraphicButton1 = imageButton(this, QStringLiteral("ImgExit"));
    GraphicButton1->setObjectName(QStringLiteral("GraphicButton1"));
    GraphicButton1->OnClick = [this] { GraphicButton1Click(); };

    PanelHeader = strip(this, "PanelHeader");
    ImgTopLeft = framePicture(PanelHeader, "ImgTopLeft", Piece::TopLeft, Fit::TopLeft);
    ImgTopRight = framePicture(PanelHeader, "ImgTopRight", Piece::TopRight, Fit::TopLeft);
    ImgTopCenter = framePicture(PanelHeader, "ImgTopCenter", Piece::TopCenter, Fit::Stretch);
    PanelBottom = strip(this, "PanelBottom");
    ImgBottomLeft = framePicture(PanelBottom, "ImgBottomLeft", Piece::BottomLeft, Fit::TopLeft);
    ImgBottomRight = framePicture(PanelBottom, "ImgBottomRight", Piece::BottomRight, Fit::TopLeft);
    ImgBottomCenter = framePicture(PanelBottom, "ImgBottomCenter", Piece::BottomCenter, Fit::Stretch);

    BindDragHandle(ImgMiddleCenter);
    resize(500, 346);
    layoutFrame();
}

TFormTemplateDialog::~TFormTemplateDialog()
{
    if (FormTemplateDialog == this)
        FormTemplateDialog = nullptr;
}

// The frame follows the window's size: strips across the top and bottom, rims
// down the sides, the background in between and the close button in the top
// right corner (5 px in, 6 px down).
void TFormTemplateDialog::layoutFrame()
{
    const int w = width();
    const int h = height();
    PanelHeader->setGeometry(0, 0, w, 5);
    ImgTopLeft->setGeometry(0, 0, 11, 5);
    ImgTopRight->setGeometry(w - 10, 0, 10, 5);
    ImgTopCenter->setGeometry(11, 0, std::max(0, w - 21), 5);
    PanelBottom->setGeometry(0, h - 5, w, 5);
    ImgBottomLeft->setGeometry(0, 0, 15, 5);
    ImgBottomRight->setGeometry(w - 11, 0, 11, 5);
    ImgBottomCenter->setGeometry(15, 0, std::max(0, w - 26), 5);
    ImgMiddleLeft->setGeometry(0, 5, 5, std::max(0, h - 10));
    ImgMiddleRight->setGeometry(w - 5, 5, 5, std::max(0, h - 10));
    ImgMiddleCenter->setGeometry(5, 5, std::max(0, w - 10), std::max(0, h - 10));
    GraphicButton1->move(w - 5 - GraphicButton1->width(), 6);
}

void TFormTemplateDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutFrame();
}

void TFormTemplateDialog::SetMainWindow(QWidget* window)
{
    mainWindow = window;
}

void TFormTemplateDialog::centreOnMainWindow()
{
    QRect area;
    if (mainWindow)
        area = mainWindow->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    move(area.center() - QPoint(width() / 2, height() / 2));
}

int TFormTemplateDialog::ShowModal()
{
    centreOnMainWindow();
    if (ShowModalHook)
        return ShowModalHook(*this);
    return exec();
}

int TFormTemplateDialog::ShowModalStoring(std::function<void()> store)
{
    struct Restore {
        std::function<void()>& slot;
        std::function<void()> previous;
        ~Restore() { slot = std::move(previous); }
    } restore{storeOnOk_, std::exchange(storeOnOk_, std::move(store))};
    return ShowModal();
}

void TFormTemplateDialog::CloseOk()
{
    if (storeOnOk_) {
        try {
            const BusyCursor busy;
            storeOnOk_();
        } catch (const ProgramError& error) {
            showError(std::string(error.what()) + "\n" + keptWorkNote(error));
            return;
        } catch (...) {
            reportCurrentException();
            return;
        }
    }
    code_ = mrOk;
    closeRequested_ = true;
    close();
}

void TFormTemplateDialog::CloseCancel()
{
    code_ = mrCancel;
    closeRequested_ = true;
    close();
}

void TFormTemplateDialog::closeEvent(QCloseEvent* event)
{
    // A close that came from neither OK nor Cancel (the window system's close
    // key) is a cancel: the code kept from an earlier OK must not answer for it.
    if (!closeRequested_)
        code_ = mrCancel;
    closeRequested_ = false;
    dragging_ = false;
    guarded([this] { FormClose(); });
    event->accept();
}

void TFormTemplateDialog::FormClose()
{
    // Whatever a box holds, Cancel and Escape close without a word: the focused box
    // would report its text again as it loses the focus on hiding.
    if (code_ != mrOk)
        for (TDBEdit* box : dataEditsIn(this))
            box->setModified(false);
    // done() hides the window (it is not destroyed) and ends a modal loop.
    done(code_);
}

void TFormTemplateDialog::FormKeyPress(char& key)
{
    if (key == 27)
        CloseCancel();
}

void TFormTemplateDialog::GraphicButton1Click()
{
    CloseCancel();
}

void TFormTemplateDialog::ImgMiddleCenterMouseDown(double x, double y)
{
    dragX_ = x;
    dragY_ = y;
    dragging_ = true;
}

void TFormTemplateDialog::ImgMiddleCenterMouseMove(double x, double y)
{
    if (dragging_)
        WindowDrag::follow(*this, x, y, dragX_, dragY_);
}

void TFormTemplateDialog::ImgMiddleCenterMouseUp()
{
    dragging_ = false;
}

void TFormTemplateDialog::BindDragHandle(QWidget* handle)
{
    drag_->bind(handle);
}

void TFormTemplateDialog::RouteKeyPress(QWidget* control)
{
    keyRoutes_.push_back(control);
    control->installEventFilter(this);
}

void TFormTemplateDialog::keyPressed(QKeyEvent* event)
{
    char key = 0;
    if (event->key() == Qt::Key_Escape)
        key = 27;
    else if (event->text().size() == 1 && event->text().at(0).unicode() < 128)
        key = static_cast<char>(event->text().at(0).unicode());
    if (key)
        guarded([this, &key] { FormKeyPress(key); });
}

// Keys reach FormKeyPress only when the window itself has the focus: a key a
// control let through (Escape in an edit box) is not the window's.
void TFormTemplateDialog::keyPressEvent(QKeyEvent* event)
{
    const QWidget* focus = focusWidget();
    if (event == routedEvent_ || (focus && focus != this)) {
        event->ignore();
        return;
    }
    keyPressed(event);
}

bool TFormTemplateDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && std::find(keyRoutes_.begin(), keyRoutes_.end(), watched) != keyRoutes_.end()) {
        // The control still gets the key; if it lets it through to the window,
        // the window must not take it a second time.
        routedEvent_ = event;
        keyPressed(static_cast<QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

ScriptedDialogs::ScriptedDialogs() : previous_(TFormTemplateDialog::ShowModalHook)
{
    TFormTemplateDialog::ShowModalHook = [this](TFormTemplateDialog& dialog) { return run(dialog); };
}

ScriptedDialogs::~ScriptedDialogs()
{
    TFormTemplateDialog::ShowModalHook = previous_;
}

int ScriptedDialogs::run(TFormTemplateDialog& dialog)
{
    shown_.push_back(dialog.objectName().toStdString());
    if (scripts_.empty())
        throw ProgramError("No script for the dialog " + dialog.objectName().toStdString());
    Script script = std::move(scripts_.front());
    scripts_.pop_front();
    dialog.show();
    script(dialog);
    if (dialog.isVisible()) {
        dialog.CloseCancel();
        throw ProgramError("The script left the dialog " + dialog.objectName().toStdString() + " open");
    }
    return dialog.result();
}
