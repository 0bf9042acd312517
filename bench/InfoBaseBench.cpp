// The Info Base page: a nutrient chosen (its foods ranked, the first 100 rows shown
// and the page painted), and switching between two nutrients in its tree.
#include "bench/BenchSupport.h"
#include "app/InfoBasePage.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "ui/ErrorGuard.h"
#include "ui/NavigationTree.h"

#include <QPixmap>
#include <QStackedWidget>
#include <QTableWidget>

#include <optional>

namespace {

class InfoBaseFixture {
public:
    InfoBaseFixture()
    {
        ensureApplication();
        CreateApplicationObjects();
        FormMain->show();
        FormMain->BtnInfoBaseClick();
        TApplication::processEvents();
        canvas_.emplace(FormMain->PageInfoBase->size());
    }
    ~InfoBaseFixture() { DestroyApplicationObjects(); }
    InfoBaseFixture(const InfoBaseFixture&) = delete;
    InfoBaseFixture& operator=(const InfoBaseFixture&) = delete;

    InfoBasePage& page() { return *FormMain->InfoBase; }
    void paint() { FormMain->PageInfoBase->render(&*canvas_); }

private:
    std::optional<QPixmap> canvas_;
};

void nutrientRank(benchmark::State& state)
{
    InfoBaseFixture fixture;
    for (auto _ : state) {
        fixture.page().ShowNutrient(303); // iron, all groups, per 100 g
        fixture.paint();
    }
    state.counters["rows"] = fixture.page().GridRanking->rowCount();
}
SAPORIA_SCALE_FIGURE("nutrient_rank", nutrientRank);

void nutrientSwitch(benchmark::State& state)
{
    InfoBaseFixture fixture;
    InfoBasePage& page = fixture.page();
    QTreeWidgetItem* nodes[] = {page.NutrientNode(307), page.NutrientNode(401)}; // sodium, vitamin C
    int next = 0;
    for (auto _ : state) {
        page.Tree->Select(nodes[next]);
        fixture.paint();
        next = 1 - next;
    }
}
SAPORIA_FIGURE("nutrient_switch", nutrientSwitch);

} // namespace
