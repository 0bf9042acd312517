// Start-up: from creating the program's objects over the full data to the main
// window's first painted frame (offscreen). The application object is made once.

#include "BenchSupport.h"

#include "ui/DataControls.h"
#include "store/Database.h"
#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "app/MainForm.h"
#include "store/Query.h"
#include "app/StartUp.h"

#include <QEvent>
#include <QPixmap>
#include <QScrollBar>

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

// The application object, made once for every benchmark that needs windows.
void ensureApplication()
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
}

void startupFirstFrame(benchmark::State& state)
{
    ensureApplication();
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

// Scrolling the food list grid over every food by one page and painting it.
void gridScrollPage(benchmark::State& state)
{
    ensureApplication();
    Database db("sv FoodDatabase", "data");
    Query foods(db, "qrySearchFoods");
    foods.addSql("SELECT FdGrp_Cd, NDB_No, Food_des.\"Desc\" FROM \"FOOD_DES.db\" Food_des");
    foods.open();
    DataSource source("dscFoodDesc", &foods);
    TDBGrid grid;
    grid.resize(740, 400);
    grid.SetDataSource(&source);
    grid.show();
    QScrollBar* bar = grid.verticalScrollBar();
    QPixmap canvas(grid.viewport()->size());
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        grid.viewport()->render(&canvas);
    }
}
SAPORIA_FIGURE("grid_scroll_page", gridScrollPage);

} // namespace
