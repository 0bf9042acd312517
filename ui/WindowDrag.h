#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Borderless windows are moved by pressing on their pictures. WindowDrag watches
// those pictures (the handles) and hands their mouse traffic to the window's own
// handlers: a press with any button, a move, a release, and a double click (a
// second press unless the window handles it itself). The handlers run inside the
// error guard.
class WindowDrag : public QObject {
public:
    struct Handlers {
        std::function<void(double x, double y)> down;
        std::function<void(double x, double y)> move;
        std::function<void()> up;
        std::function<void()> doubleClick; // empty: a double click is a press
    };

    WindowDrag(QObject* owner, Handlers handlers);
    void bind(QWidget* handle);

    // Moves `window` by the pointer's offset from the press point, in whole pixels
    // toward zero, so the spot pressed stays under the pointer. A maximised window
    // stays where it is.
    static void follow(QWidget& window, double x, double y, double pressX, double pressY);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handlers handlers_;
};
