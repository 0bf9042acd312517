// Start-up: from creating the program's objects over the full data to the main
// window's first painted frame (offscreen). The application object is made once.

#include "BenchSupport.h"

#include "ErrorGuard.h"
#include "Fonts.h"
#include "MainForm.h"
#include "StartUp.h"

#include <QEvent>

#include <memory>

namespace {

class FirstFrameWatcher : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void startupFirstFrame(benchmark::State& state)
{
    static int argc = 1;
    static char name[] = "saporia-bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<TApplication> application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto app = std::make_unique<TApplication>(argc, argv);
        installFontSubstitutions();
        return app;
    }();
    for (auto _ : state) {
        CreateApplicationObjects();
        FirstFrameWatcher watcher;
        FormMain->installEventFilter(&watcher);
        FormMain->show();
        for (int round = 0; round < 1000 && !watcher.painted; ++round)
            TApplication::processEvents();
        FormMain->removeEventFilter(&watcher);
        state.PauseTiming();
        DestroyApplicationObjects();
        state.ResumeTiming();
    }
}
SAPORIA_FIGURE("startup_first_frame", startupFirstFrame)->Iterations(3);

} // namespace
