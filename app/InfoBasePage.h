#pragma once

#include "infobase/NutrientRanking.h"
#include "infobase/RecipeDailyValues.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTableWidget;
class QTreeWidgetItem;
class SqliteDatabase;
class TNavigationTree;

// A recipe's values per serve as bars of % Daily Value, and its energy split.
class RecipeChart : public QWidget {
public:
    explicit RecipeChart(QWidget* parent = nullptr);
    void Show(RecipeDailyValues values);
    const RecipeDailyValues& Values() const { return values_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RecipeDailyValues values_;
};

// The Info Base page's contents: a tree of nutrients (by group) and recipes on the
// right; on the left, the foods ranked by the chosen nutrient, or the chosen
// recipe's chart. Built when the page is first shown, not at start-up.
class InfoBasePage {
public:
    InfoBasePage(QWidget* client, QWidget* browse, QLabel* header, std::function<const SqliteDatabase&()> database);

    // Builds the page on its first show; brings the recipes branch up to date.
    void Show();
    bool Built() const { return Tree != nullptr; }

    // What the tree's nodes do, callable from code.
    void ShowNutrient(std::int32_t nutrNo);
    void ShowRecipe(std::int32_t recipeId);
    void ShowMore();
    // The tree's node of a nutrient or a recipe; null when there is none.
    QTreeWidgetItem* NutrientNode(std::int32_t nutrNo) const;
    QTreeWidgetItem* RecipeNode(std::int32_t recipeId) const;

    // A food double-clicked in the ranking, with the measure its row shows.
    std::function<void(std::int32_t ndbNo, std::optional<std::int32_t> weightId)> OnShowFood;
    // The recipe the Recipes page shows, when there is one.
    std::function<std::optional<std::int32_t>()> ShownRecipe;

    TNavigationTree* Tree = nullptr;
    QTreeWidgetItem* NodeRecipes = nullptr;
    QStackedWidget* Views = nullptr;
    QLabel* LabelHint = nullptr;
    QLabel* LabelNutrient = nullptr;
    QLabel* LabelNutrientFacts = nullptr;
    QComboBox* ComboBasis = nullptr;
    QComboBox* ComboGroup = nullptr;
    QComboBox* ComboOrder = nullptr;
    QTableWidget* GridRanking = nullptr;
    QLabel* LabelShowing = nullptr;
    QPushButton* BtnShowMore = nullptr;
    QScrollArea* ChartArea = nullptr;
    RecipeChart* Chart = nullptr;

    const std::vector<RankedFood>& Ranked() const { return ranked_; }
    RankQuery Query() const;

private:
    void build();
    void fillNutrients();
    void fillRecipes();
    void nodeChosen();
    void rank();
    void fillGrid();

    QWidget* client_;
    QWidget* browse_;
    QLabel* header_;
    std::function<const SqliteDatabase&()> database_;
    std::int32_t nutrient_ = 0;
    int limit_ = 100;
    int rankedCount_ = 0;
    std::vector<RankedFood> ranked_;
};
