#pragma once

#include "foods/MeasureEntry.h"

#include "store/DataSource.h"
#include "store/Database.h"
#include "store/Query.h"
#include "store/Table.h"
#include "store/UndoPoint.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The food side of the data store: every record set, data source and fixed query
// of the food tables, and the operations that browse, edit and search foods.
// Windows and dialogs bind to the public sets and sources by name and call the
// operations; the module itself needs no window. Changes made in the cached sets
// stay pending until the caller that opened the dialog applies or cancels them.
class TDataModuleFoods {
public:
    // Opens "sv FoodDatabase" over `dataFolder`, opens every set and runs DataModuleCreate.
    explicit TDataModuleFoods(const std::filesystem::path& dataFolder = "data");
    ~TDataModuleFoods();
    TDataModuleFoods(const TDataModuleFoods&) = delete;
    TDataModuleFoods& operator=(const TDataModuleFoods&) = delete;

    Database DatabaseFoods;

    // Browse group: the groups, the food list and the current food's details.
    Table tblFoodGroups;
    DataSource dscFoodGroups;
    Table tblFoodGroups2; // group maintenance, and the source of every "Food Groups" lookup
    DataSource dscFoodGroups2;
    Table tblFoodDesc; // the foods of the group current in tblFoodGroups
    Query qrySearchFoods;
    DataSource dscFoodDesc; // the food list: qrySearchFoods or tblFoodDesc
    // Food edit group.
    Table tblFoodDesc2;
    DataSource dscFoodDesc2;
    Table tblFoodDesc3; // stored foods of the group current in tblFoodGroups2
    Table tblNutrientData; // the nutrient grid, filtered by the preferred nutrients
    DataSource dscNutrientData;
    Table tblNutrientData2;
    DataSource dscNutrientData2;
    Table tblNutrientDef;
    DataSource dscNutrientDef;
    Table tblNutrientWeight;
    DataSource dscNutrientWeight;
    Table tblNutrientWeight2;
    DataSource dscNutrientWeight2;
    Table tblNutrientPreference;
    DataSource dscNutrientPeference;
    // Searches.
    Table tblFoodSimpleSearch;
    Table tblFoodAdvancedSearch;
    DataSource dscFoodAdvancedSearch;
    Table tblFoodSQLRules;
    DataSource dscFoodSQLRules;
    // Next-number queries, opened for one read each.
    Query sqlMaxNDB_No;
    Query sqlMaxFdGrp_Cd;
    Query sqlMaxFoodSQL_ID;

    // Filled at start-up with the recipe module's ApplyNutrientPreferenceFilter.
    std::function<void()> RecipePreferenceFilterHook;

    // Measure listeners run, in the order they were added, on every data change of
    // the food list (each rebuilds its measure box from GetMeasures).
    int addMeasureListener(std::function<void()> listener);
    void removeMeasureListener(int id);

    void DataModuleCreate();

    // Browsing.
    const std::vector<std::string>& GetFoodGroupNames();
    void ShowFoodsOfGroup(const std::string& groupName);
    void QueryAllFoods();
    // Every food, the given ones first in their order (a line's candidate foods), then the rest.
    void QueryFoodsCandidatesFirst(const std::vector<std::int32_t>& candidates);
    void SearchFoodsByKeyword(const std::string& keyword);
    // False when a rule of the group cannot run: the user was told why, and the
    // food query is left closed, so the food list shows nothing.
    bool RunAdvancedSearch(const std::string& ruleGroupName);
    void ShowSearchResults();
    const std::vector<MeasureEntry>& GetMeasures();
    double SelectMeasure(int index, double amount);
    // A food without measures: no gram weight, so no per-measure values.
    void ClearMeasure();
    double CurrentGramWeight() const { return fCurrentGramWeight; }

    // Search history.
    void AddSearchHistory(const std::string& keyword);
    void ClearSearchHistory();
    const std::vector<std::string>& GetSearchHistory();
    const std::vector<std::string>& GetRuleGroupNames();

    // Foods.
    std::int32_t NextFoodNumber();
    void BeginNewFood();
    void PostNewFood();
    void CancelNewFood();
    void BeginEditFood();
    void PostEditedFood();
    void CancelEditedFood();
    bool DeleteDisplayedFood();
    void ApplyFoodEdits();
    void CancelFoodEdits();

    // Food groups.
    std::int32_t NextFoodGroupCode();
    void BeginNewFoodGroup();
    void PostNewFoodGroup();
    void CancelNewFoodGroup();
    void BeginEditFoodGroup();
    void PostEditedFoodGroup();
    void CancelEditedFoodGroup();
    void DeleteFoodGroup();

    // Rule groups.
    std::int32_t NextRuleGroupId();
    void BeginNewRuleGroup();
    void BeginEditRuleGroup();
    void PostRuleGroup();
    void CancelRuleGroup();
    void DeleteRuleGroup();
    // Whether a group other than the one being edited is named so, letter case
    // ignored (groups are run by name, letter case ignored).
    bool RuleGroupNameTaken(const std::string& name);
    // What the caller of the rule-group list does when it closes: OK stores the
    // groups and their rules in one transaction; anything else drops every change.
    void ApplyRuleGroupEdits();
    void CancelRuleGroupEdits();

    // Nutrients and notifications.
    void ApplyNutrientPreferenceFilter();
    void tblNutrientPreferenceAfterPost(RecordSet& set);
    void dscFoodDescDataChange(DataSource& source, Field* field);
    void tblNutrientDataCalcFields(RecordSet& set);

private:
    void ReloadFoodQuery(const std::vector<std::string>& lines, const std::vector<std::pair<std::string, Value>>& params);
    RecordSet& FoodListSet() { return *dscFoodDesc.dataSet(); }
    bool FoodListShowsQuery() { return dscFoodDesc.dataSet() == &qrySearchFoods; }
    void HoldFoodDetails();
    void ReleaseFoodDetails();

    // The food table's version when the list last read all foods, while it still
    // lists them: "View All Foods" then shows the rows it holds instead of reading them again.
    std::optional<std::uint64_t> allFoodsListed_;
    double fCurrentGramWeight = 0;
    std::vector<std::string> fFoodGroupNames;
    std::vector<std::string> fSearchHistory;
    std::vector<std::string> fRuleGroupNames;
    std::vector<MeasureEntry> fMeasures;
    std::vector<std::pair<int, std::function<void()>>> fMeasureListeners;
    int fNextListenerId = 1;
    // The rules and group as they were when the rule editor opened, for its Cancel.
    std::unique_ptr<UndoPoint> fRuleGroupUndo;
};

extern TDataModuleFoods* DataModuleFoods;
