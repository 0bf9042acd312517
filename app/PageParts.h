#pragma once

#include <QColor>
#include <QString>

#include <initializer_list>
#include <map>

class QLabel;
class QWidget;
class SkinPicture;
class TDBGrid;
class TNavigationTree;

// Pieces both browser pages are built from.
namespace PageParts {

// A grid in the pages' look: bold dark green titles on the title colour, lines
// between the rows only, and colours of their own for some columns and titles.
TDBGrid* grid(QWidget* parent, std::map<int, QColor> columnColours, std::map<int, QColor> titleColours);
// A title bar over a panel: bold dark green on the title colour.
QLabel* titleBar(QWidget* parent, const QString& caption);
// A splitter's shadow on the panel beside it.
SkinPicture* shadow(QWidget* parent, bool fallsRight);

// The designed column widths, widened where the substituted font needs more for
// a title or, in `numbers`, for a value of four digits; `stretched` takes what
// the grid has left.
void fitColumns(TDBGrid* grid, int stretched, std::initializer_list<int> numbers = {});
// A navigation tree in the pages' look: the side panel's colour, the form's font.
TNavigationTree* navigationTree(QWidget* parent, const char* name);

} // namespace PageParts
