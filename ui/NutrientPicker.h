#pragma once

#include <QWidget>

#include <cstdint>
#include <optional>

class DataSource;
class QTabWidget;
class TDBGrid;
class TGraphicButton;

// Where the user picks a nutrient to add: the tabs "All Nutrients" and "My
// Nutrients", each a list of nutrient names and units, with the add and remove
// buttons beside them. The dialog that holds it decides what the buttons do.
class NutrientPicker : public QWidget {
public:
    // `all` and `mine` show sets with the fields Nutr_No, Nutr_Desc and Units.
    NutrientPicker(QWidget* parent, DataSource& all, DataSource& mine);

    QTabWidget* NutrientTabs;
    QWidget* TabAllNutrients;
    QWidget* TabMyNutrients;
    TDBGrid* GridAll;
    TDBGrid* GridMine;
    TGraphicButton* AddButton;
    TGraphicButton* RemoveButton;

    // The nutrient chosen in the tab shown; none while that list is empty.
    std::optional<std::int64_t> ChosenNutrient() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    DataSource& all_;
    DataSource& mine_;
};
