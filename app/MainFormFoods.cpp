// The Foods page of the main window: what is listed, what the page header says,
// and which tree node is selected after each command.

#include "app/MainForm.h"

#include <QLabel>
#include <QStackedWidget>

void TFormMain::buildFoodsPage()
{
    PanelHeaderClientFoods = buildPageHeader(PageFoods, "Foods Display", LabelActiveDispalyFoods);
}

void TFormMain::layoutFoodsPage()
{
    layoutPageHeader(PanelHeaderClientFoods, LabelActiveDispalyFoods);
}
