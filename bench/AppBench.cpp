// Start-up: in process, from creating the program's objects over the full data to
// the main window's first painted frame (offscreen; the application object is made
// once); and as a user sees it, the built program started as a process of its own.

#include "bench/BenchSupport.h"

#include "ui/DataControls.h"
#include "store/Database.h"
#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "app/MainForm.h"
#include "store/Query.h"
#include "app/StartUp.h"
#include "foods/DatabaseFood.h"
#include "store/Sqlite.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStackedWidget>

#include <QEvent>
#include <QPixmap>
#include <QScrollBar>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "saporia-bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own statics are gone before it would be.
    [[maybe_unused]] static TApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* app = new TApplication(argc, argv);
        installFontSubstitutions();
        return app;
    }();
}

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

struct FirstFrame {
    double seconds;
    double residentMiB;
};

// The program's environment: this one, offscreen, with the probe that makes it
// report its first painted frame and end.
std::vector<std::string> programEnvironment()
{
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable)
        if (!std::string_view(*variable).starts_with("QT_QPA_PLATFORM=")
            && !std::string_view(*variable).starts_with("SAPORIA_FIRST_FRAME_PROBE="))
            environment.emplace_back(*variable);
    environment.emplace_back("QT_QPA_PLATFORM=offscreen");
    environment.emplace_back("SAPORIA_FIRST_FRAME_PROBE=1");
    return environment;
}

// One start of the built program in the current working directory, timed from
// the spawn to its report of the first painted main window. Nothing when it
// shows no window within a minute (an error box waits for a user who is not there).
std::optional<FirstFrame> startProgramToFirstFrame()
{
    std::vector<std::string> environment = programEnvironment();
    std::vector<char*> envp;
    for (auto& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    char program[] = SAPORIA_PROGRAM;
    char* argv[] = {program, nullptr};

    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    if (spawned != 0) {
        ::close(output[0]);
        return std::nullopt;
    }

    std::string line;
    char buffer[256];
    pollfd readable{output[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos && ::poll(&readable, 1, 60000) > 0) {
        const ssize_t got = ::read(output[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        line.append(buffer, static_cast<std::size_t>(got));
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    long residentKiB = 0;
    const bool reported = std::sscanf(line.c_str(), "first-frame %ld", &residentKiB) == 1;
    if (!reported)
        ::kill(child, SIGKILL);
    // The program ends by itself after the report; the next start must find the data folder free.
    ::waitpid(child, nullptr, 0);
    ::close(output[0]);
    if (!reported)
        return std::nullopt;
    return FirstFrame{seconds, static_cast<double>(residentKiB) / 1024.0};
}

void processFirstFrame(benchmark::State& state)
{
    for (auto _ : state) {
        const auto frame = startProgramToFirstFrame();
        if (!frame) {
            state.SkipWithError("the program showed no main window");
            break;
        }
        state.SetIterationTime(frame->seconds);
    }
}

// Resident memory at the first frame, in MiB. The figure's number is set as its
// time, so the summary prints MiB where other figures print milliseconds.
void startupResidentMemory(benchmark::State& state)
{
    for (auto _ : state) {
        const auto frame = startProgramToFirstFrame();
        if (!frame) {
            state.SkipWithError("the program showed no main window");
            break;
        }
        state.SetIterationTime(frame->residentMiB / 1000.0);
        state.counters["MiB"] = frame->residentMiB;
    }
}

// Each start is one measurement; the medians of seven starts are reported. Measured
// on the full data, the tenfold foods and the 10,000 recipes.
int registerProcessFigure(const char* name, BenchmarkFunction function)
{
    for (auto* figure : registerOnBothDataSets(name, Measure::Figure, function))
        figure->UseManualTime()->Iterations(1);
    registerOnRecipeData(name, Measure::Figure, function)->UseManualTime()->Iterations(1);
    return 0;
}
[[maybe_unused]] const int processFigures = registerProcessFigure("process_first_frame", processFirstFrame)
                                            + registerProcessFigure("startup_rss_mib", startupResidentMemory);

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

// The Foods page as a user has it after a while: 50 keywords in the search history
// and 20 saved searches, the window shown on the Foods page. The extra rows are
// removed again when the figure is done, leaving the data as it was.
class FoodsPageFixture {
public:
    FoodsPageFixture()
    {
        ensureApplication();
        Database db("sv FoodDatabase", "data");
        SqliteDatabase& sqlite = db.sqlite();
        sqlite.execute("BEGIN");
        for (int i = 0; i < 50; ++i)
            sqlite.execute("INSERT INTO \"FoodSimpleSearch.db\" (Keyword) VALUES ('bench keyword " + std::to_string(i)
                           + "')");
        for (int i = 0; i < 20; ++i)
            sqlite.execute("INSERT INTO \"FoodSQL.DB\" (SQL_ID, \"SQL Name\") VALUES (" + std::to_string(100000 + i)
                           + ", 'bench search " + std::to_string(i) + "')");
        sqlite.execute("COMMIT");
        CreateApplicationObjects();
        FormMain->show();
        FormMain->NotebookClient->setCurrentIndex(1);
        TApplication::processEvents();
        canvas_.emplace(FormMain->PageFoods->size());
    }
    ~FoodsPageFixture()
    {
        DestroyApplicationObjects();
        Database db("sv FoodDatabase", "data");
        db.sqlite().execute("DELETE FROM \"FoodSimpleSearch.db\" WHERE Keyword LIKE 'bench keyword %'");
        db.sqlite().execute("DELETE FROM \"FoodSQL.DB\" WHERE SQL_ID >= 100000");
    }
    FoodsPageFixture(const FoodsPageFixture&) = delete;
    FoodsPageFixture& operator=(const FoodsPageFixture&) = delete;

    // What the user sees of the page, painted as a frame would be.
    void paint() { FormMain->PageFoods->render(&*canvas_); }
    QPixmap& canvas() { return *canvas_; }

private:
    std::optional<QPixmap> canvas_; // made once the application object exists
};

void foodTreeBuild(benchmark::State& state)
{
    FoodsPageFixture page;
    for (auto _ : state) {
        FormMain->BuildFoodTree();
        FormMain->TreeViewFoods->viewport()->render(&page.canvas());
    }
    state.counters["nodes"] = 4 + FormMain->NodeFoodGroups->childCount() + FormMain->NodeFoodSimpleSearch->childCount()
        + FormMain->NodeFoodAdvancedSearch->childCount();
}

// Switching between two listings and painting the page each time.
void switchNodes(benchmark::State& state, QTreeWidgetItem* first, QTreeWidgetItem* second, FoodsPageFixture& page)
{
    bool toFirst = true;
    for (auto _ : state) {
        FormMain->TreeViewFoods->Select(toFirst ? first : second);
        page.paint();
        toFirst = !toFirst;
    }
}

void foodNodeSwitch(benchmark::State& state)
{
    FoodsPageFixture page;
    switchNodes(state, TNavigationTree::ChildByText(FormMain->NodeFoodGroups, "Dairy and Egg Products"),
                TNavigationTree::ChildByText(FormMain->NodeFoodGroups, "Spices and Herbs"), page);
}

// "View All Foods" listed afresh (8,789 rows), by way of a root without a command.
void foodNodeSwitchAll(benchmark::State& state)
{
    FoodsPageFixture page;
    switchNodes(state, FormMain->NodeFoodSimpleSearch, FormMain->NodeViewAllFoods, page);
}

// The Down key in the food list: details re-read, measures refreshed, page painted.
void foodListStep(benchmark::State& state)
{
    FoodsPageFixture page;
    TDBGrid* list = FormMain->DBGrid2;
    list->setFocus();
    RecordSet& foods = *DataModuleFoods->dscFoodDesc.dataSet();
    int steps = 0;
    for (auto _ : state) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(list, &down);
        page.paint();
        if (++steps % 1000 == 0) {
            state.PauseTiming();
            foods.first();
            state.ResumeTiming();
        }
    }
}

SAPORIA_FIGURE("food_tree_build", foodTreeBuild);
SAPORIA_FIGURE("food_node_switch", foodNodeSwitch);
SAPORIA_FIGURE("food_node_switch_all", foodNodeSwitchAll);
SAPORIA_FIGURE("food_list_step", foodListStep);

} // namespace
