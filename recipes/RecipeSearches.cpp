#include "recipes/RecipeSearches.h"

#include "recipes/RecipeTextIndex.h"
#include "seams/DeleteConfirmation.h"
#include "seams/Messages.h"
#include "store/Database.h"
#include "store/FieldTexts.h"
#include "store/NextNumber.h"
#include "store/ProgramError.h"
#include "store/SchemaSteps.h"
#include "store/Sqlite.h"
#include "store/TableDefinitions.h"
#include "store/Text.h"

#include <algorithm>

namespace {

// Every column of the recipe rows, the long texts as NULL: the list reads them for
// the recipe on show only.
std::string recipeRows()
{
    std::string sql;
    for (const auto& field : tableDefinition("Recipe_Des.DB").fields) {
        const std::string name = quoteIdentifier(field.name);
        const bool deferred = field.name == "Procedures" || field.name == "Web Page Link";
        sql += (sql.empty() ? "SELECT " : ", ") + (deferred ? "NULL AS " + name : "r." + name);
    }
    return sql + " FROM \"Recipe_Des.DB\" r WHERE ";
}
const char* const kNameOrder = " ORDER BY r.\"Recipe Name\" COLLATE NOCASE, r.R_ID";

// A JSON array of the ids, which json_each reads back as rows.
std::string idList(const std::vector<std::int64_t>& ids)
{
    std::string list = "[";
    for (std::int64_t id : ids)
        list += (list.size() > 1 ? "," : "") + std::to_string(id);
    return list + "]";
}

} // namespace

RecipeSearches::RecipeSearches(Database& database, std::vector<FieldSpec> recipeFields)
    : tblRecipeSimpleSearch(database, "tblRecipeSimpleSearch", kRecipeSearchHistoryTable),
      tblRecipeAdvancedSearch(database, "tblRecipeAdvancedSearch", kRecipeSearchTable),
      dscRecipeAdvancedSearch("dscRecipeAdvancedSearch", &tblRecipeAdvancedSearch),
      tblRecipeSQLRules(database, "tblRecipeSQLRules", kRecipeSearchRuleTable, "SQL_Index"),
      dscRecipeSQLRules("dscRecipeSQLRules", &tblRecipeSQLRules),
      qrySearchRecipes(database, "qrySearchRecipes"),
      sqlMaxRecipeSQL_ID(database, "sqlMaxRecipeSQL_ID"),
      database_(database)
{
    tblRecipeSimpleSearch.setFields({FieldSpec::data("Keyword")});
    tblRecipeAdvancedSearch.setFields({FieldSpec::data("SQL_ID").withWidth(3), FieldSpec::data("SQL Name").withWidth(154)});
    tblRecipeSQLRules.setFields({FieldSpec::data("Rule_ID").asReadOnly(), FieldSpec::data("SQL_ID"),
                                 FieldSpec::data("Field"), FieldSpec::data("Condition"), FieldSpec::data("RValue"),
                                 FieldSpec::data("Kind"), FieldSpec::data("Keys")});
    tblRecipeSQLRules.setMaster(dscRecipeAdvancedSearch, "SQL_ID");
    qrySearchRecipes.setFields(std::move(recipeFields));
    qrySearchRecipes.setDeferredSource("Recipe_Des.DB", "R_ID");
    sqlMaxRecipeSQL_ID.addSql("SELECT MAX( SQL_ID ) AS SQL_ID");
    sqlMaxRecipeSQL_ID.addSql(std::string("FROM ") + quoteIdentifier(kRecipeSearchTable));
    for (Table* cached : {&tblRecipeSimpleSearch, &tblRecipeAdvancedSearch, &tblRecipeSQLRules})
        cached->setCachedUpdates(true);
    // An older folder opened read-only has no search tables: it searches by keyword
    // without history, and keeps no saved searches.
    if (available())
        for (Table* set : {&tblRecipeSimpleSearch, &tblRecipeAdvancedSearch, &tblRecipeSQLRules})
            set->open();
}

bool RecipeSearches::available() const
{
    return database_.schemaVersion() >= kRecipeSearchVersion;
}

void RecipeSearches::reload(const std::string& where, const std::vector<Value>& params)
{
    qrySearchRecipes.close();
    qrySearchRecipes.clearSql();
    qrySearchRecipes.clearParams();
    qrySearchRecipes.addSql(recipeRows() + where + kNameOrder);
    for (std::size_t i = 0; i < params.size(); ++i)
        qrySearchRecipes.setParam(int(i) + 1, params[i]);
    qrySearchRecipes.open();
}

void RecipeSearches::catchUpIndex()
{
    if (available() && !database_.readOnly())
        RecipeTextIndex::catchUp(database_.sqlite());
}

void RecipeSearches::SearchRecipesByKeyword(const std::string& keyword)
{
    const std::string folded = foldedForSearch(trimmed(keyword));
    if (folded.empty()) {
        reload("0", {});
        return;
    }
    bool indexed = available();
    if (indexed) {
        try {
            catchUpIndex();
            if (database_.readOnly()) {
                auto stale = database_.sqlite().prepare("SELECT 1 FROM " + quoteIdentifier(kRecipeTextStaleTable));
                indexed = !stale.step();
            }
        } catch (const ProgramError&) {
            indexed = false; // a file held by another program: read the recipes instead
        }
    }
    if (!indexed) {
        reload("r.R_ID IN (SELECT value FROM json_each(?1))",
               {Value(idList(RecipeTextIndex::scan(database_.sqlite(), folded)))});
        return;
    }
    const auto condition = RecipeTextIndex::keywordCondition("r.R_ID", folded, 1);
    reload(condition.sql, {Value(condition.parameter)});
}

void RecipeSearches::AddSearchHistory(const std::string& keyword)
{
    const std::string stored = trimmed(keyword);
    if (stored.empty() || !available())
        return;
    try {
        if (tblRecipeSimpleSearch.locate("Keyword", Value(stored), true))
            tblRecipeSimpleSearch.deleteRecord();
        tblRecipeSimpleSearch.append();
        tblRecipeSimpleSearch.fieldByName("Keyword").setAsString(stored);
        tblRecipeSimpleSearch.post();
        database_.applyUpdates({&tblRecipeSimpleSearch});
        tblRecipeSimpleSearch.commitUpdates();
    } catch (const ProgramError& error) {
        tblRecipeSimpleSearch.cancelUpdates();
        // The history is a convenience: a file that cannot take it must not stand
        // between the user and the results.
        if (error.code() == 0)
            throw;
    }
}

void RecipeSearches::ClearSearchHistory()
{
    if (!available())
        return;
    try {
        tblRecipeSimpleSearch.last();
        while (!tblRecipeSimpleSearch.isEmpty())
            tblRecipeSimpleSearch.deleteRecord();
        database_.applyUpdates({&tblRecipeSimpleSearch});
        tblRecipeSimpleSearch.commitUpdates();
    } catch (...) {
        tblRecipeSimpleSearch.cancelUpdates();
        throw;
    }
}

std::vector<std::string> RecipeSearches::GetSearchHistory()
{
    if (!available())
        return {};
    std::vector<std::string> keywords = fieldTexts(tblRecipeSimpleSearch, "Keyword");
    std::reverse(keywords.begin(), keywords.end());
    return keywords;
}

std::vector<std::string> RecipeSearches::GetSearchNames()
{
    return available() ? fieldTexts(tblRecipeAdvancedSearch, "SQL Name") : std::vector<std::string>{};
}

void RecipeSearches::BeginNewSearch()
{
    const std::int32_t id = nextNumber(sqlMaxRecipeSQL_ID, "SQL_ID", tblRecipeAdvancedSearch);
    searchUndo_.reset();
    searchUndo_ = std::make_unique<UndoPoint>(std::vector<RecordSet*>{&tblRecipeSQLRules, &tblRecipeAdvancedSearch});
    tblRecipeAdvancedSearch.append();
    tblRecipeAdvancedSearch.fieldByName("SQL_ID").setAsInteger(id);
}

void RecipeSearches::BeginEditSearch()
{
    searchUndo_.reset();
    searchUndo_ = std::make_unique<UndoPoint>(std::vector<RecordSet*>{&tblRecipeSQLRules, &tblRecipeAdvancedSearch});
    tblRecipeAdvancedSearch.edit();
}

void RecipeSearches::PostSearch()
{
    tblRecipeAdvancedSearch.post();
    searchUndo_.reset();
}

void RecipeSearches::CancelSearch()
{
    if (!searchUndo_) {
        tblRecipeAdvancedSearch.cancel();
        return;
    }
    const std::unique_ptr<UndoPoint> undo = std::move(searchUndo_);
    undo->rollBack();
}

bool RecipeSearches::SearchNameTaken(const std::string& name)
{
    const Field& column = tblRecipeAdvancedSearch.fieldByName("SQL Name");
    const int own = tblRecipeAdvancedSearch.currentRow();
    for (int row = 0; row < tblRecipeAdvancedSearch.recordCount(); ++row)
        if (row != own && sameValue(tblRecipeAdvancedSearch.valueAt(row, column), Value(name), true))
            return true;
    return false;
}

void RecipeSearches::AddRule(const std::string& field, const RecipeRule& rule)
{
    RecordSet& rules = tblRecipeSQLRules;
    rules.append();
    try {
        rules.fieldByName("SQL_ID").setValue(tblRecipeAdvancedSearch.fieldByName("SQL_ID").value());
        rules.fieldByName("Field").setAsString(field);
        rules.fieldByName("Condition").setAsString(rule.condition);
        rules.fieldByName("RValue").setAsString(rule.value);
        rules.fieldByName("Kind").setAsString(rule.kind);
        if (!rule.keys.empty())
            rules.fieldByName("Keys").setAsString(rule.keys);
        rules.post();
    } catch (...) {
        rules.cancel();
        throw;
    }
}

void RecipeSearches::DeleteSearch()
{
    if (tblRecipeAdvancedSearch.isEmpty() || !confirmDelete(tblRecipeAdvancedSearch.fieldByName("SQL Name").asString()))
        return;
    tblRecipeSQLRules.last();
    while (!tblRecipeSQLRules.isEmpty())
        tblRecipeSQLRules.deleteRecord();
    tblRecipeAdvancedSearch.deleteRecord();
}

void RecipeSearches::ApplySearchEdits()
{
    database_.applyUpdates({&tblRecipeSQLRules, &tblRecipeAdvancedSearch});
    tblRecipeSQLRules.commitUpdates();
    tblRecipeAdvancedSearch.commitUpdates();
}

void RecipeSearches::CancelSearchEdits()
{
    tblRecipeSQLRules.cancelUpdates();
    tblRecipeAdvancedSearch.cancelUpdates();
}

std::vector<RecipeRule> RecipeSearches::rulesOfCurrentSearch()
{
    const auto kinds = fieldTexts(tblRecipeSQLRules, "Kind");
    const auto keys = fieldTexts(tblRecipeSQLRules, "Keys");
    const auto conditions = fieldTexts(tblRecipeSQLRules, "Condition");
    const auto values = fieldTexts(tblRecipeSQLRules, "RValue");
    std::vector<RecipeRule> rules;
    for (std::size_t i = 0; i < kinds.size(); ++i)
        rules.push_back({kinds[i], keys[i], conditions[i], values[i]});
    return rules;
}

bool RecipeSearches::RunAdvancedSearch(const std::string& name)
{
    leftOut_ = 0;
    if (!available() || !tblRecipeAdvancedSearch.locate("SQL Name", Value(name), true)) {
        qrySearchRecipes.close();
        showError("There is no saved search named \"" + name + "\".");
        return false;
    }
    RuleStatement statement;
    try {
        statement = ruleStatement(rulesOfCurrentSearch());
        catchUpIndex(); // word rules read the index
    } catch (const ProgramError& error) {
        qrySearchRecipes.close();
        showError("The search \"" + name + "\" cannot run: " + error.what());
        return false;
    }
    reload(statement.where, statement.params);
    if (!statement.missingTotals.empty()) {
        auto count = database_.sqlite().prepare("SELECT COUNT(*) FROM \"Recipe_Des.DB\" r WHERE "
                                                + statement.missingTotals);
        for (int position = 1; position <= count.parameterCount(); ++position)
            bindStoredValue(count, position, statement.params.at(std::size_t(position) - 1));
        if (count.step())
            leftOut_ = int(count.columnInt(0));
    }
    return true;
}
