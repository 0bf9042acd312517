#include "ui/NutrientPicker.h"

#include "store/RecordSet.h"
#include "ui/DataControls.h"
#include "ui/DialogParts.h"
#include "ui/GraphicButton.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kButtonColumn = 58; // the 48-pixel buttons and their margins

TDBGrid* nutrientList(QWidget* tab, DataSource& source)
{
    auto* grid = new TDBGrid(tab);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    grid->SetColumns({{"Nutr_Desc", {}, 150}, {"Units", {}, 40}});
    grid->SetTitles(false);
    grid->SetDataSource(&source);
    return grid;
}

} // namespace

NutrientPicker::NutrientPicker(QWidget* parent, DataSource& all, DataSource& mine)
    : QWidget(parent), all_(all), mine_(mine)
{
    NutrientTabs = new QTabWidget(this);
    NutrientTabs->setObjectName(QStringLiteral("NutrientTabs"));
    TabAllNutrients = new QWidget;
    TabAllNutrients->setObjectName(QStringLiteral("TabAllNutrients"));
    TabMyNutrients = new QWidget;
    TabMyNutrients->setObjectName(QStringLiteral("TabMyNutrients"));
    NutrientTabs->addTab(TabAllNutrients, QStringLiteral("All Nutrients"));
    NutrientTabs->addTab(TabMyNutrients, QStringLiteral("My Nutrients"));
    GridAll = nutrientList(TabAllNutrients, all);
    GridMine = nutrientList(TabMyNutrients, mine);

    AddButton = DialogParts::imageButton(this, QStringLiteral("ImgAdd"), {}, {});
    RemoveButton = DialogParts::imageButton(this, QStringLiteral("ImgRemove"), {}, {});
}

std::optional<std::int64_t> NutrientPicker::ChosenNutrient() const
{
    // An empty list has no current row: it offers no nutrient, not nutrient 0.
    const DataSource& shown = NutrientTabs->currentWidget() == TabAllNutrients ? all_ : mine_;
    RecordSet* set = shown.dataSet();
    if (!set || !set->active() || set->isEmpty())
        return std::nullopt;
    return set->fieldByName("Nutr_No").asInteger();
}

void NutrientPicker::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    NutrientTabs->setGeometry(0, 0, width() - kButtonColumn, height());
    const int buttonsX = width() - kButtonColumn + 6;
    const int middle = height() / 2;
    AddButton->move(buttonsX, middle - AddButton->height() - 6);
    RemoveButton->move(buttonsX, middle + 6);
}
