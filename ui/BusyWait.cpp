#include "ui/BusyWait.h"

#include "store/Sqlite.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QTimer>

namespace {

// The cursor goes back once no nap has come for a while: the wait is over.
constexpr int kWaitOverMs = 60;

QElapsedTimer sinceLastNap;
QTimer* waitOver = nullptr;

void napTaken()
{
    sinceLastNap.start();
    if (!waitOver) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        waitOver = new QTimer;
        waitOver->setInterval(kWaitOverMs);
        QObject::connect(waitOver, &QTimer::timeout, [] {
            if (sinceLastNap.elapsed() < kWaitOverMs)
                return;
            QApplication::restoreOverrideCursor();
            waitOver->deleteLater();
            waitOver = nullptr;
        });
        waitOver->start();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
}

} // namespace

void installBusyWaitFeedback()
{
    SqliteDatabase::setBusyWaitHook(napTaken);
}
