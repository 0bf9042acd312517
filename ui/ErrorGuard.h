#pragma once

#include <QApplication>

#include <exception>
#include <functional>

// Every handler entered from Qt runs inside the guard: a ProgramError shows in the
// error box with its message, anything else as an error with an empty message,
// and control returns to the event loop. Exceptions never unwind through Qt.

// Shows the exception in flight (call only from a catch block).
void reportCurrentException() noexcept;

// Runs the handler; returns false when it threw (the error has been shown).
bool guarded(const std::function<void()>& handler) noexcept;

// The application object: wraps the delivery of every event in the guard, so a
// handler that slipped past its own guard still cannot take the loop down.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
