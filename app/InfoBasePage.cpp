#include "app/InfoBasePage.h"

#include "app/PageParts.h"
#include "store/Sqlite.h"
#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "ui/NavigationTree.h"
#include "ui/Skin.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr int kRowsPerStep = 100;
constexpr int kNutrientRole = Qt::UserRole;
constexpr int kRecipeRole = Qt::UserRole + 1;
constexpr int kShownRecipe = -1; // the node of the recipe the Recipes page shows

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

// Amounts as a table shows them: more decimals for smaller numbers.
QString amountText(double value)
{
    const double size = std::fabs(value);
    if (size == 0)
        return QStringLiteral("0");
    const int decimals = size >= 100 ? 0 : size >= 10 ? 1 : size >= 1 ? 2 : 3;
    return QLocale().toString(value, 'f', decimals);
}

QString countText(int count)
{
    return QLocale().toString(count);
}

QTableWidgetItem* cellOf(const QString& text, bool number)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QColor levelColour(DailyValueLevel level)
{
    switch (level) {
    case DailyValueLevel::Low:
        return QColor(214, 168, 58);
    case DailyValueLevel::Moderate:
        return QColor(120, 190, 95);
    default:
        return Skin::darkGreen();
    }
}

QLabel* textLabel(QWidget* parent, const QString& text, const QFont& font, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

// ---------------------------------------------------------------------------
// The recipe's chart

RecipeChart::RecipeChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RecipeChart"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Skin::paleGreenLight());
    setPalette(palette);
}

void RecipeChart::Show(RecipeDailyValues values)
{
    values_ = std::move(values);
    constexpr int kRow = 19;
    setMinimumHeight(150 + static_cast<int>(values_.shares.size()) * kRow + 90);
    update();
}

void RecipeChart::paintEvent(QPaintEvent*)
{
    constexpr int kRow = 19;
    constexpr int kNameWidth = 190;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int right = width() - 12;
    int y = 10;
    p.setPen(Skin::darkGreen());
    p.setFont(formFont(16, true));
    p.drawText(QRect(12, y, right - 12, 22), Qt::AlignLeft | Qt::AlignVCenter, fromStd(values_.name));
    y += 26;
    p.setFont(formFont(11));
    const QString lines = QStringLiteral("%1 of %2 ingredient lines linked to foods").arg(values_.linked).arg(values_.lines);
    if (values_.serves <= 0) {
        p.drawText(QRect(12, y, right - 12, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Number of serves not given: no values per serve. ") + lines + ".");
        return;
    }
    p.drawText(QRect(12, y, right - 12, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Per serve (%1 serves) as % of the Daily Values; %2.")
                   .arg(QLocale().toString(values_.serves), lines));
    y += 22;

    // The legend: the common reading of %DV.
    int x = 12;
    for (const auto& [level, text] : {std::pair{DailyValueLevel::Low, QStringLiteral("5% or less: low")},
                                      std::pair{DailyValueLevel::Moderate, QStringLiteral("between")},
                                      std::pair{DailyValueLevel::High, QStringLiteral("20% or more: high")}}) {
        p.fillRect(QRect(x, y + 4, 12, 10), levelColour(level));
        p.setPen(Qt::black);
        const int w = p.fontMetrics().horizontalAdvance(text);
        p.drawText(QRect(x + 16, y, w + 4, 18), Qt::AlignLeft | Qt::AlignVCenter, text);
        x += w + 36;
    }
    p.setPen(QColor(128, 0, 0));
    p.drawText(QRect(x, y, right - x, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("* known for only some ingredients"));
    y += 24;

    // One bar per nutrient; the scale reaches at least 100% (drawn as a line).
    double top = 100;
    for (const DailyValueShare& share : values_.shares)
        top = std::max(top, share.percent);
    const int barLeft = 12 + kNameWidth;
    const int barWidth = std::max(60, right - barLeft - 170);
    const auto xOf = [&](double percent) { return barLeft + static_cast<int>(barWidth * std::min(percent, top) / top); };
    const int barsTop = y;
    for (const DailyValueShare& share : values_.shares) {
        p.setPen(Qt::black);
        const QString name = fromStd(share.name) + (share.partial() ? QStringLiteral(" *") : QString());
        p.drawText(QRect(12, y, kNameWidth - 6, kRow), Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(name, Qt::ElideRight, kNameWidth - 6));
        p.fillRect(QRect(barLeft, y + 3, std::max(1, xOf(share.percent) - barLeft), kRow - 6),
                   levelColour(dailyValueLevel(share.percent)));
        QString value = QStringLiteral("%1% (%2 %3)").arg(amountText(share.percent), amountText(share.perServe),
                                                           fromStd(share.unit));
        if (share.partial())
            value += QStringLiteral(" %1 of %2").arg(share.knownFor).arg(share.of);
        p.setPen(share.partial() ? QColor(128, 0, 0) : Qt::black);
        p.drawText(QRect(barLeft + barWidth + 8, y, right - barLeft - barWidth - 8, kRow), Qt::AlignLeft | Qt::AlignVCenter,
                   value);
        y += kRow;
    }
    p.setPen(QPen(Skin::darkGreen(), 1, Qt::DashLine));
    p.drawLine(xOf(100), barsTop, xOf(100), y);
    p.setPen(Skin::darkGreen());
    p.drawText(QRect(xOf(100) - 30, y, 60, 16), Qt::AlignCenter, QStringLiteral("100%"));
    y += 26;

    // The energy split: one bar of four parts that add up to 100%.
    p.setFont(formFont(11, true));
    p.drawText(QRect(12, y, right - 12, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Energy from protein, fat, carbohydrate and alcohol"));
    y += 22;
    p.setFont(formFont(11));
    if (!values_.energy) {
        p.setPen(Qt::black);
        p.drawText(QRect(12, y, right - 12, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("No linked ingredient gives energy."));
        return;
    }
    const EnergyShares& e = *values_.energy;
    const std::pair<QString, double> parts[] = {{QStringLiteral("Protein"), e.protein},
                                                {QStringLiteral("Fat"), e.fat},
                                                {QStringLiteral("Carbohydrate"), e.carbohydrate},
                                                {QStringLiteral("Alcohol"), e.alcohol}};
    const QColor colours[] = {QColor(70, 130, 180), QColor(214, 168, 58), QColor(140, 200, 110), QColor(150, 90, 160)};
    const int splitWidth = right - 12;
    double at = 12;
    for (int i = 0; i < 4; ++i) {
        const double w = splitWidth * parts[i].second / 100;
        p.fillRect(QRectF(at, y, w, 18), colours[i]);
        at += w;
    }
    y += 24;
    x = 12;
    for (int i = 0; i < 4; ++i) {
        const QString text = QStringLiteral("%1 %2%").arg(parts[i].first, amountText(parts[i].second));
        p.fillRect(QRect(x, y + 4, 12, 10), colours[i]);
        p.setPen(Qt::black);
        const int w = p.fontMetrics().horizontalAdvance(text);
        p.drawText(QRect(x + 16, y, w + 4, 18), Qt::AlignLeft | Qt::AlignVCenter, text);
        x += w + 34;
    }
}

// ---------------------------------------------------------------------------
// The page

InfoBasePage::InfoBasePage(QWidget* client, QWidget* browse, QLabel* header,
                           std::function<const SqliteDatabase&()> database)
    : client_(client), browse_(browse), header_(header), database_(std::move(database))
{
}

void InfoBasePage::Show()
{
    if (!Built())
        build();
    fillRecipes();
}

void InfoBasePage::build()
{
    // The navigation side, as the other pages have it.
    QLabel* title = PageParts::titleBar(browse_, QStringLiteral("Info Base Navigation"));
    title->setFrameShape(QFrame::Box);
    Tree = PageParts::navigationTree(browse_, "TreeViewInfoBase");
    auto* browse = new QVBoxLayout(browse_);
    browse->setContentsMargins(0, 0, 0, 0);
    browse->setSpacing(0);
    browse->addWidget(title);
    browse->addWidget(Tree);

    Views = new QStackedWidget(client_);
    Views->setObjectName(QStringLiteral("InfoBaseViews"));
    auto* client = new QVBoxLayout(client_);
    client->setContentsMargins(0, 0, 0, 0);
    client->addWidget(Views);

    LabelHint = textLabel(nullptr, QStringLiteral("Choose a nutrient on the right to rank the foods by it, "
                                                  "or a recipe to see its Daily Values."),
                          formFont(12), Skin::darkGreen());
    LabelHint->setAlignment(Qt::AlignCenter);
    LabelHint->setWordWrap(true);
    Views->addWidget(LabelHint);

    // A nutrient: what it is, and the foods ranked by it.
    auto* nutrient = new QWidget;
    auto* column = new QVBoxLayout(nutrient);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(4);
    LabelNutrient = textLabel(nutrient, {}, formFont(16, true), Skin::darkGreen());
    LabelNutrientFacts = textLabel(nutrient, {}, formFont(11), Qt::black);
    column->addWidget(LabelNutrient);
    column->addWidget(LabelNutrientFacts);
    auto* choices = new QHBoxLayout;
    const auto combo = [&](const QString& caption, const char* name, const QStringList& items) {
        choices->addWidget(textLabel(nutrient, caption, formFont(11), Skin::darkGreen()));
        auto* box = new QComboBox(nutrient);
        box->setObjectName(name);
        box->setFont(formFont());
        box->addItems(items);
        choices->addWidget(box);
        QObject::connect(box, &QComboBox::currentIndexChanged, box, [this] {
            guarded([this] {
                limit_ = kRowsPerStep;
                rank();
            });
        });
        return box;
    };
    ComboBasis = combo(QStringLiteral("Per:"), "ComboBasis",
                       {QStringLiteral("100 g"), QStringLiteral("100 kcal"), QStringLiteral("household measure")});
    ComboGroup = combo(QStringLiteral("Food group:"), "ComboGroup", {QStringLiteral("All food groups")});
    ComboOrder = combo(QStringLiteral("Order:"), "ComboOrder", {QStringLiteral("Highest first"), QStringLiteral("Lowest first")});
    ComboGroup->setMinimumWidth(150);
    choices->addStretch(1);
    column->addLayout(choices);

    GridRanking = new QTableWidget(0, 7, nutrient);
    GridRanking->setObjectName(QStringLiteral("GridRanking"));
    GridRanking->setFont(formFont());
    GridRanking->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridRanking->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridRanking->setSelectionMode(QAbstractItemView::SingleSelection);
    GridRanking->setShowGrid(false);
    GridRanking->setWordWrap(false);
    GridRanking->verticalHeader()->hide();
    GridRanking->verticalHeader()->setDefaultSectionSize(GridRanking->fontMetrics().height() + 5);
    GridRanking->horizontalHeader()->setFont(formFont(11, true));
    // Fixed widths for the numbers, the rest for the food: no column sized by its contents.
    QHeaderView* titles = GridRanking->horizontalHeader();
    titles->setStretchLastSection(false);
    const QFontMetrics titleMetrics(formFont(11, true));
    const int number = std::max(titleMetrics.horizontalAdvance(QStringLiteral("1 measure")),
                                GridRanking->fontMetrics().horizontalAdvance(QStringLiteral("0000.000"))) + 12;
    GridRanking->setColumnWidth(0, GridRanking->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
    for (int column : {2, 3, 4, 6})
        GridRanking->setColumnWidth(column, number);
    GridRanking->setColumnWidth(5, 96);
    titles->setSectionResizeMode(1, QHeaderView::Stretch);
    GridRanking->setStyleSheet(QStringLiteral("QTableWidget { background: %1; alternate-background-color: %2; }"
                                              "QHeaderView::section { background: %3; color: %4; border: 0; "
                                              "border-right: 1px solid %2; padding: 2px; }")
                                   .arg(Skin::gridBackground().name(), Skin::paleGreenLight().name(),
                                        Skin::gridFixed().name(), Skin::darkGreen().name()));
    GridRanking->setAlternatingRowColors(true);
    QObject::connect(GridRanking, &QTableWidget::cellDoubleClicked, GridRanking, [this](int row, int) {
        guarded([this, row] {
            if (row >= 0 && row < static_cast<int>(ranked_.size()) && OnShowFood)
                OnShowFood(ranked_[static_cast<std::size_t>(row)].ndbNo, ranked_[static_cast<std::size_t>(row)].weightId);
        });
    });
    column->addWidget(GridRanking, 1);
    auto* more = new QHBoxLayout;
    LabelShowing = textLabel(nutrient, {}, formFont(11), Skin::darkGreen());
    BtnShowMore = new QPushButton(QStringLiteral("Show more"), nutrient);
    BtnShowMore->setObjectName(QStringLiteral("BtnShowMore"));
    BtnShowMore->setFont(formFont());
    QObject::connect(BtnShowMore, &QPushButton::clicked, BtnShowMore, [this] { guarded([this] { ShowMore(); }); });
    more->addWidget(LabelShowing, 1);
    more->addWidget(BtnShowMore);
    column->addLayout(more);
    Views->addWidget(nutrient);

    // A recipe: its chart.
    ChartArea = new QScrollArea;
    ChartArea->setFrameShape(QFrame::NoFrame);
    ChartArea->setWidgetResizable(true);
    Chart = new RecipeChart;
    ChartArea->setWidget(Chart);
    Views->addWidget(ChartArea);

    const SqliteDatabase& db = database_();
    auto groups = db.prepare(R"(SELECT FdGrp_Cd, FdGrp_Desc FROM "FD_GROUP.db" ORDER BY FdGrp_Cd)");
    {
        const QSignalBlocker quiet(ComboGroup);
        while (groups.step())
            ComboGroup->addItem(fromStd(groups.columnText(1)), QVariant::fromValue(groups.columnInt(0)));
    }
    // Made inside panels already on screen: shown now, not on the next turn of the event loop.
    for (QWidget* made : {static_cast<QWidget*>(title), static_cast<QWidget*>(Tree), static_cast<QWidget*>(Views)})
        made->show();
    Tree->OnChange = [this] { nodeChosen(); };
    Tree->Rebuild([this] {
        fillNutrients();
        NodeRecipes = Tree->AddRoot(QStringLiteral("Recipes"));
    });
}

void InfoBasePage::fillNutrients()
{
    std::map<NutrientGroup, QTreeWidgetItem*> roots;
    for (NutrientGroup group : {NutrientGroup::EnergyAndMacronutrients, NutrientGroup::Minerals, NutrientGroup::Vitamins,
                                NutrientGroup::Lipids, NutrientGroup::AminoAcids, NutrientGroup::Other})
        roots[group] = Tree->AddRoot(QString::fromLatin1(nutrientGroupName(group)));
    // In the order the table holds them.
    auto nutrients = database_().prepare(R"(SELECT Nutr_No, Nutr_Desc FROM "NUTR_DEF.db" ORDER BY Nutr_No)");
    while (nutrients.step()) {
        const auto number = static_cast<std::int32_t>(nutrients.columnInt(0));
        QTreeWidgetItem* node = TNavigationTree::AddChild(roots[nutrientGroupOf(number)], fromStd(nutrients.columnText(1)));
        node->setData(0, kNutrientRole, number);
    }
}

void InfoBasePage::fillRecipes()
{
    Tree->RebuildChildren(NodeRecipes, [this] {
        QTreeWidgetItem* shown = TNavigationTree::AddChild(NodeRecipes, QStringLiteral("Shown on the Recipes page"));
        shown->setData(0, kRecipeRole, kShownRecipe);
        auto recipes = database_().prepare(R"(SELECT R_ID, "Recipe Name" FROM "Recipe_Des.DB" ORDER BY "Recipe Name", R_ID)");
        while (recipes.step()) {
            QTreeWidgetItem* node = TNavigationTree::AddChild(NodeRecipes, fromStd(recipes.columnText(1)));
            node->setData(0, kRecipeRole, static_cast<std::int32_t>(recipes.columnInt(0)));
        }
    });
}

QTreeWidgetItem* InfoBasePage::NutrientNode(std::int32_t nutrNo) const
{
    for (int root = 0; Tree && root < Tree->topLevelItemCount(); ++root)
        for (int i = 0; i < Tree->topLevelItem(root)->childCount(); ++i)
            if (QTreeWidgetItem* node = Tree->topLevelItem(root)->child(i); node->data(0, kNutrientRole) == nutrNo)
                return node;
    return nullptr;
}

QTreeWidgetItem* InfoBasePage::RecipeNode(std::int32_t recipeId) const
{
    for (int i = 0; NodeRecipes && i < NodeRecipes->childCount(); ++i)
        if (QTreeWidgetItem* node = NodeRecipes->child(i); node->data(0, kRecipeRole) == recipeId)
            return node;
    return nullptr;
}

void InfoBasePage::nodeChosen()
{
    const QTreeWidgetItem* node = Tree->Selected();
    if (!node)
        return;
    if (const QVariant nutrient = node->data(0, kNutrientRole); nutrient.isValid()) {
        ShowNutrient(nutrient.toInt());
    } else if (const QVariant recipe = node->data(0, kRecipeRole); recipe.isValid()) {
        std::optional<std::int32_t> id = recipe.toInt();
        if (*id == kShownRecipe)
            id = ShownRecipe ? ShownRecipe() : std::nullopt;
        if (id) {
            ShowRecipe(*id);
        } else {
            header_->setText(QStringLiteral("Info Base Display"));
            LabelHint->setText(QStringLiteral("The Recipes page shows no recipe."));
            Views->setCurrentWidget(LabelHint);
        }
    }
}

RankQuery InfoBasePage::Query() const
{
    RankQuery query;
    query.nutrNo = nutrient_;
    query.basis = static_cast<RankBasis>(std::max(0, ComboBasis->currentIndex()));
    if (const QVariant group = ComboGroup->currentData(); group.isValid())
        query.group = group.toLongLong();
    query.lowestFirst = ComboOrder->currentIndex() == 1;
    query.limit = limit_;
    return query;
}

void InfoBasePage::ShowNutrient(std::int32_t nutrNo)
{
    if (!Built())
        build();
    const NutrientSummary summary = nutrientSummary(database_(), nutrNo);
    nutrient_ = nutrNo;
    limit_ = kRowsPerStep;
    const QString unit = fromStd(summary.unit);
    header_->setText(fromStd(summary.name));
    LabelNutrient->setText(fromStd(summary.name) + QStringLiteral(" (") + unit + QStringLiteral(")"));
    LabelNutrientFacts->setText(
        (summary.dailyValue ? QStringLiteral("Daily Value: %1 %2").arg(amountText(*summary.dailyValue), unit)
                            : QStringLiteral("no Daily Value")) +
        QStringLiteral("   \u00b7   %1 foods have a value for it").arg(countText(summary.foodsWithValue)));
    GridRanking->setHorizontalHeaderLabels({QStringLiteral("#"), QStringLiteral("Food"), QStringLiteral("100 g"),
                                            QStringLiteral("100 kcal"), QStringLiteral("1 measure"),
                                            QStringLiteral("Measure"), QStringLiteral("%DV")});
    GridRanking->horizontalHeaderItem(6)->setToolTip(QStringLiteral("% of the Daily Value in 100 g"));
    Views->setCurrentIndex(1);
    rank();
}

void InfoBasePage::ShowMore()
{
    limit_ += kRowsPerStep;
    rank();
}

void InfoBasePage::rank()
{
    if (nutrient_ == 0)
        return;
    const RankQuery query = Query();
    RankedFoods ranked = rankFoods(database_(), query);
    ranked_ = std::move(ranked.foods);
    rankedCount_ = ranked.total;
    fillGrid();
}

void InfoBasePage::fillGrid()
{
    GridRanking->setUpdatesEnabled(false);
    GridRanking->clearContents();
    GridRanking->setRowCount(static_cast<int>(ranked_.size()));
    int row = 0;
    for (const RankedFood& food : ranked_) {
        GridRanking->setItem(row, 0, cellOf(QString::number(food.rank), true));
        GridRanking->setItem(row, 1, cellOf(fromStd(food.description), false));
        GridRanking->item(row, 1)->setToolTip(GridRanking->item(row, 1)->text());
        GridRanking->setItem(row, 2, cellOf(amountText(food.per100g), true));
        GridRanking->setItem(row, 3, cellOf(food.per100kcal ? amountText(*food.per100kcal) : QString(), true));
        GridRanking->setItem(row, 4, cellOf(food.perMeasure ? amountText(*food.perMeasure) : QString(), true));
        GridRanking->setItem(row, 5, cellOf(fromStd(food.measure), false));
        GridRanking->setItem(row, 6, cellOf(food.percentDailyValue ? amountText(*food.percentDailyValue) + "%" : QString(),
                                            true));
        ++row;
    }
    GridRanking->setUpdatesEnabled(true);
    LabelShowing->setText(QStringLiteral("Showing %1 of %2 foods").arg(countText(static_cast<int>(ranked_.size())),
                                                                      countText(rankedCount_)));
    BtnShowMore->setEnabled(static_cast<int>(ranked_.size()) < rankedCount_);
}

void InfoBasePage::ShowRecipe(std::int32_t recipeId)
{
    if (!Built())
        build();
    RecipeDailyValues values = recipeDailyValues(database_(), recipeId);
    header_->setText(fromStd(values.name));
    Chart->Show(std::move(values));
    Views->setCurrentWidget(ChartArea);
}
