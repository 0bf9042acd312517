#include "ui/ErrorGuard.h"

#include "seams/Messages.h"
#include "ui/BusyWait.h"
#include "store/ProgramError.h"

#include <string>

void reportCurrentException() noexcept
{
    // The text is copied out before the box opens: the box runs a nested loop.
    std::string text;
    try {
        throw;
    } catch (const ProgramError& error) {
        text = error.what();
    } catch (...) {
        // Only messages written for the user are shown; anything else is reported bare.
    }
    try {
        showError(text);
    } catch (...) {
        // Nothing sensible is left to do when the error box itself fails.
    }
}

bool guarded(const std::function<void()>& handler) noexcept
{
    try {
        handler();
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    installBusyWaitFeedback();
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
        return false;
    }
}
