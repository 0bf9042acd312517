#pragma once

#include "ui/GraphicButton.h"
#include "ui/SkinPicture.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class WindowDrag;

// What a dialog closed with, as ShowModal returns it: OK, Cancel, or nothing yet.
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

// The skinned dialog frame every dialog of the program inherits: borderless,
// dressed in frame pictures, dragged by its background, closed with OK (result 1)
// or Cancel (result 2). Dialogs are created once, shown modally as often as
// needed and hidden, not destroyed, when they close.
class TFormTemplateDialog : public QDialog {
public:
    explicit TFormTemplateDialog(QWidget* parent = nullptr);
    ~TFormTemplateDialog() override;

    SkinPicture* ImgMiddleLeft;
    SkinPicture* ImgMiddleRight;
    SkinPicture* ImgMiddleCenter;
    TGraphicButton* GraphicButton1;
    QWidget* PanelHeader;
    SkinPicture* ImgTopLeft;
    SkinPicture* ImgTopRight;
    SkinPicture* ImgTopCenter;
    QWidget* PanelBottom;
    SkinPicture* ImgBottomLeft;
    SkinPicture* ImgBottomRight;
    SkinPicture* ImgBottomCenter;

    // Shows the dialog modally, centred on the main window, and returns the code
    // it closed with. Goes through ShowModalHook when one is installed.
    int ShowModal();
    // Shows the dialog modally with its work stored by OK: `store` runs first, and
    // when it fails the dialog stays open with everything typed and says so, so
    // that a later OK stores the work once; only Cancel drops it.
    int ShowModalStoring(std::function<void()> store);
    // Test seam: replaces what happens between showing and closing.
    static std::function<int(TFormTemplateDialog&)> ShowModalHook;
    // The window dialogs are centred on (the application's main window).
    static void SetMainWindow(QWidget* window);

    void CloseOk();     // stores mrOk and closes
    void CloseCancel(); // stores mrCancel and closes
    int StoredCode() const { return code_; }
    int ModalResult() const { return result(); }

    // Handlers, bound as the frame binds them; derived dialogs bind them to more
    // controls with the helpers below.
    virtual void FormClose();
    virtual void FormKeyPress(char& key);
    void GraphicButton1Click();
    void ImgMiddleCenterMouseDown(double x, double y);
    void ImgMiddleCenterMouseMove(double x, double y);
    void ImgMiddleCenterMouseUp();

    // Press, move and release on `handle` drag the dialog (any mouse button).
    void BindDragHandle(QWidget* handle);
    // Key presses on `control` reach FormKeyPress, as the dialog's own keys do.
    void RouteKeyPress(QWidget* control);

    bool Dragging() const { return dragging_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutFrame();
    void centreOnMainWindow();
    void keyPressed(QKeyEvent* event);

    double dragX_ = 0;
    double dragY_ = 0;
    bool dragging_ = false;
    int code_ = mrNone;
    std::function<void()> storeOnOk_;
    bool closeRequested_ = false;
    WindowDrag* drag_;
    std::vector<QWidget*> keyRoutes_;
    const QEvent* routedEvent_ = nullptr;
};

extern TFormTemplateDialog* FormTemplateDialog;

// Test helper: every ShowModal while it lives runs the next queued script with
// the dialog shown (not modally) and returns the code the script closed it with.
// A dialog nobody scripted, or a script that leaves its dialog open, is an error.
class ScriptedDialogs {
public:
    using Script = std::function<void(TFormTemplateDialog&)>;

    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void expect(Script script) { scripts_.push_back(std::move(script)); }
    // The object names of the dialogs shown so far, in order.
    const std::vector<std::string>& shown() const { return shown_; }
    bool allUsed() const { return scripts_.empty(); }

private:
    int run(TFormTemplateDialog& dialog);

    std::function<int(TFormTemplateDialog&)> previous_;
    std::deque<Script> scripts_;
    std::vector<std::string> shown_;
};
