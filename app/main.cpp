#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "ui/MessageBoxes.h"
#include "app/MainForm.h"
#include "app/StartUp.h"

#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <fstream>

#include <unistd.h>

namespace {

// For measuring start-up from outside (the benchmarks): with SAPORIA_FIRST_FRAME_PROBE
// set, the program prints "first-frame <resident KiB>" as soon as the main window
// has been painted once, and ends.
class FirstFrameProbe : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (!reported_ && event->type() == QEvent::Paint && widget && FormMain
            && (widget == FormMain || FormMain->isAncestorOf(widget))) {
            reported_ = true;
            // Reported once the whole frame is painted, not at its first widget.
            QTimer::singleShot(0, [] {
                std::printf("first-frame %ld\n", residentKiB());
                std::fflush(stdout);
                TApplication::quit();
            });
        }
        return false;
    }

private:
    static long residentKiB()
    {
        long pages = 0;
        long resident = 0;
        std::ifstream("/proc/self/statm") >> pages >> resident;
        return resident * (sysconf(_SC_PAGESIZE) / 1024);
    }

    bool reported_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    TApplication::setApplicationName("Saporia");
    TApplication::setApplicationDisplayName("Saporia");
    installFontSubstitutions();
    MessageBoxes messageBoxes;
    FirstFrameProbe probe;
    if (qEnvironmentVariableIsSet("SAPORIA_FIRST_FRAME_PROBE"))
        application.installEventFilter(&probe);
    return RunProgram();
}
