// The Recipes tree's searches: keywords with their history, and saved searches.

#include "app/MainForm.h"

#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeSearchDialogs.h"
#include "seams/Messages.h"
#include "store/Database.h"
#include "ui/TemplateDialog.h"

#include <QLabel>

namespace {

const char* const kReadOnlySearches = "Saved searches need a data folder Saporia can write; this one is read-only.";

} // namespace

void TFormMain::makeRecipeSearchDialogs()
{
    if (!DialogRecipeSimpleSearch)
        DialogRecipeSimpleSearch = new TDialogRecipeSimpleSearch(this);
    if (!DialogRecipeAdvancedSearchEdit)
        DialogRecipeAdvancedSearchEdit = new TDialogRecipeAdvancedSearchEdit(this);
    if (!DialogRecipeAdvancedSearch)
        DialogRecipeAdvancedSearch = new TDialogRecipeAdvancedSearch(this);
}

void TFormMain::runRecipeKeywordNode(RecipeKeywordCommand command, const QString& keyword)
{
    TDataModuleRecipes& recipes = *DataModuleRecipes;
    const auto rebuildHistory = [this] {
        TreeViewRecipes->RebuildChildren(NodeRecipeSimpleSearch, [this] { FillRecipeSimpleSearchNodes(); });
    };
    switch (command) {
    case RecipeKeywordCommand::Ask:
        makeRecipeSearchDialogs();
        if (DialogRecipeSimpleSearch->ShowModal() != mrOk) {
            TreeViewRecipes->Reselect(LastRecipeNode);
            return;
        }
        rebuildHistory();
        // Selecting the keyword's node lists its recipes and says so in the header.
        if (QTreeWidgetItem* node =
                TNavigationTree::ChildByText(NodeRecipeSimpleSearch, QString::fromStdString(DialogRecipeSimpleSearch->Keyword())))
            TreeViewRecipes->Select(node);
        else
            runRecipeKeywordNode(RecipeKeywordCommand::Search, QString::fromStdString(DialogRecipeSimpleSearch->Keyword()));
        return;
    case RecipeKeywordCommand::ClearHistory:
        if (askWarning("Are you sure you want to clear all the Search History")) {
            recipes.Searches.ClearSearchHistory();
            rebuildHistory();
        }
        TreeViewRecipes->Select(NodeRecipeSimpleSearch);
        return;
    case RecipeKeywordCommand::Search:
        recipes.Searches.SearchRecipesByKeyword(keyword.toStdString());
        recipes.ShowSearchResults();
        LabelActiveDispalyRecipes->setText("Simple Search : " + keyword);
        return;
    }
}

void TFormMain::editSavedRecipeSearches(bool newSearch)
{
    RecipeSearches& searches = DataModuleRecipes->Searches;
    if (!searches.available() || DataModuleRecipes->DatabaseRecipe.readOnly()) {
        showMessage(kReadOnlySearches);
        TreeViewRecipes->Reselect(LastRecipeNode);
        return;
    }
    makeRecipeSearchDialogs();
    int result = mrCancel;
    if (newSearch) {
        searches.BeginNewSearch();
        result = DialogRecipeAdvancedSearchEdit->ShowModalStoring([&] {
            Database::postAndApply(searches.tblRecipeAdvancedSearch, [&] { searches.ApplySearchEdits(); });
        });
        if (result != mrOk)
            searches.CancelSearch();
    } else {
        result = DialogRecipeAdvancedSearch->ShowModalStoring([&] { searches.ApplySearchEdits(); });
    }
    if (result != mrOk) {
        searches.CancelSearchEdits();
        TreeViewRecipes->Reselect(LastRecipeNode);
        return;
    }
    const QString current = searches.tblRecipeAdvancedSearch.isEmpty()
        ? QString()
        : QString::fromStdString(searches.tblRecipeAdvancedSearch.fieldByName("SQL Name").asString());
    TreeViewRecipes->RebuildChildren(NodeRecipeAdvancedSearch, [this] { FillRecipeAdvancedSearchNodes(); });
    // The new search runs at once; after the list dialog, the one it left current.
    if (QTreeWidgetItem* node = current.isEmpty() ? nullptr : TNavigationTree::ChildByText(NodeRecipeAdvancedSearch, current)) {
        TreeViewRecipes->Select(node);
    } else {
        TreeViewRecipes->Select(NodeRecipeAdvancedSearch);
        TreeViewRecipes->expandItem(NodeRecipeAdvancedSearch);
    }
}

void TFormMain::runSavedRecipeSearch(const QString& name)
{
    TDataModuleRecipes& recipes = *DataModuleRecipes;
    if (!recipes.Searches.RunAdvancedSearch(name.toStdString())) {
        TreeViewRecipes->Reselect(LastRecipeNode);
        return;
    }
    recipes.ShowSearchResults();
    QString header = "Advanced Search: " + name;
    if (const int leftOut = recipes.Searches.LeftOutForMissingTotals(); leftOut > 0)
        header += QString("  (%1 %2 left out for missing totals)").arg(leftOut).arg(leftOut == 1 ? "recipe" : "recipes");
    LabelActiveDispalyRecipes->setText(header);
}
