#pragma once

#include "recipes/RecipeRules.h"
#include "store/DataSource.h"
#include "store/Query.h"
#include "store/Table.h"
#include "store/UndoPoint.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Database;

// The recipe searches: the keyword search with its history, and saved searches made
// of rules. Both load the recipe query qrySearchRecipes, which the recipe list shows
// once the recipe module points its display at it. The saved searches and their rules
// are cached sets: the list dialog's changes stay pending until its caller applies
// (ApplySearchEdits) or drops (CancelSearchEdits) them.
class RecipeSearches {
public:
    // `recipeFields` are the recipe list's fields, which the query shows too.
    RecipeSearches(Database& database, std::vector<FieldSpec> recipeFields);

    Table tblRecipeSimpleSearch;
    Table tblRecipeAdvancedSearch;
    DataSource dscRecipeAdvancedSearch;
    Table tblRecipeSQLRules;
    DataSource dscRecipeSQLRules;
    Query qrySearchRecipes;
    Query sqlMaxRecipeSQL_ID;

    // False for a data folder older than the search tables, opened as it is (read-only).
    bool available() const;
    // Brings the keyword index up to the stored recipes (writes through the file).
    void catchUpIndex();

    // The recipes whose text holds the keyword (blanks at both ends aside), ignoring
    // case and accents; every character is itself, '%' and '_' included.
    void SearchRecipesByKeyword(const std::string& keyword);
    // Stores the keyword as the newest, without a repeat that differs only in case.
    void AddSearchHistory(const std::string& keyword);
    void ClearSearchHistory();
    std::vector<std::string> GetSearchHistory(); // newest first

    // Saved searches
    std::vector<std::string> GetSearchNames(); // in stored order
    void BeginNewSearch();
    void BeginEditSearch();
    void PostSearch();
    void CancelSearch(); // takes back the row and the rules changed since Begin
    bool SearchNameTaken(const std::string& name);
    void AddRule(const std::string& field, const RecipeRule& rule);
    void DeleteSearch(); // after the user confirms; pending
    void ApplySearchEdits();
    void CancelSearchEdits();

    // Runs the saved search of that name (case ignored). False, having said why, when
    // it cannot run; the query is then closed rather than showing another search's rows.
    bool RunAdvancedSearch(const std::string& name);
    // How many recipes the last saved search left out for missing totals.
    int LeftOutForMissingTotals() const { return leftOut_; }

private:
    void reload(const std::string& where, const std::vector<Value>& params);
    std::vector<RecipeRule> rulesOfCurrentSearch();

    Database& database_;
    std::unique_ptr<UndoPoint> searchUndo_;
    int leftOut_ = 0;
};
