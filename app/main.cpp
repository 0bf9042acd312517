#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "ui/MessageBoxes.h"
#include "app/MainForm.h"
#include "app/StartUp.h"

#include <QEvent>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstring>
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

constexpr const char* kUsage
    = "Usage: saporia [--help | --version]\n"
      "\n"
      "Saporia keeps your recipes and tells you what is in them.\n"
      "\n"
      "It opens the data folder data/ in the folder it is started from. Create one\n"
      "there with: saporia-makedb data\n"
      "Started from the application menu, it runs in $XDG_DATA_HOME/saporia\n"
      "(~/.local/share/saporia), where the menu entry creates data/ on first start.\n";

// Answered before the application object exists, so they need no display.
bool answeredOnTerminal(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("Saporia " SAPORIA_VERSION);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (answeredOnTerminal(argc, argv))
        return 0;
    TApplication application(argc, argv);
    TApplication::setApplicationName("Saporia");
    TApplication::setApplicationDisplayName("Saporia");
    // Lets the desktop match the windows to the installed menu entry and its icon.
    TApplication::setDesktopFileName("saporia");
    TApplication::setWindowIcon(QIcon::fromTheme("saporia"));
    installFontSubstitutions();
    MessageBoxes messageBoxes;
    FirstFrameProbe probe;
    if (qEnvironmentVariableIsSet("SAPORIA_FIRST_FRAME_PROBE"))
        application.installEventFilter(&probe);
    return RunProgram();
}
