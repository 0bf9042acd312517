// The Recipes page of the main window: what is listed, what the page header says,
// and which tree node is selected after each command.

#include "app/MainForm.h"

#include <QLabel>
#include <QStackedWidget>

void TFormMain::buildRecipesPage()
{
    PanelHeaderClientRecipes = buildPageHeader(PageRecipes, "Recipes Display", LabelActiveDispalyRecipes);
}

void TFormMain::layoutRecipesPage()
{
    layoutPageHeader(PanelHeaderClientRecipes, LabelActiveDispalyRecipes);
}
