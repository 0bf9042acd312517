#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// The table of the ingredients most recipe lines name, each with the food a
// nutrition-minded cook would link (kitchen/curated-foods.tsv, built into the program).
struct CuratedFood {
    QString name;    // as the table writes it: "all-purpose flour"
    std::int32_t ndbNo = 0;
    QString comment; // why this food
    // A food whose volume measures weigh this one, which the tables weigh only by mass or count:
    // a cup of Greek yogurt is weighed as a cup of plain yogurt. 0 for none.
    std::int32_t weighedAs = 0;
};

// Every name of the built-in table, in the table's order.
const std::vector<CuratedFood>& curatedFoods();
// Reads a table in the built-in one's format: names separated by "|", NDB_No, comment, and
// optionally the NDB_No of the food it is weighed as by volume;
// "#" starts a comment line. Rows that do not fit are skipped.
std::vector<CuratedFood> readCuratedFoods(const QString& tableText);
