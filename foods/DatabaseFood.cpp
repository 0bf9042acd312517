#include "foods/DatabaseFood.h"

#include "foods/RuleGroupStatement.h"
#include "seams/DeleteConfirmation.h"
#include "seams/Messages.h"
#include "store/FieldTexts.h"
#include "store/Amount.h"
#include "store/NextNumber.h"
#include "store/PreferenceFilter.h"
#include "store/ProgramError.h"

#include <algorithm>

TDataModuleFoods* DataModuleFoods = nullptr;

namespace {

const std::string kFoodTable = "FOOD_DES.db";
const std::string kAllFoodsLine = "SELECT NDB_No, Food_des.\"Desc\", FdGrp_Cd FROM \"FOOD_DES.db\" Food_des";

// Runs `changes` on sets that store each change at once, holding their writes
// back so that they reach the tables in one apply (with `applied`, which holds
// the held sets too): all of them, or none when the apply fails.
void storeTogether(Database& database, std::initializer_list<RecordSet*> held, const std::vector<RecordSet*>& applied,
                   const std::function<void()>& changes)
{
    for (RecordSet* set : held)
        set->setCachedUpdates(true);
    try {
        changes();
        database.applyUpdates(applied);
    } catch (...) {
        for (RecordSet* set : held) {
            set->cancelUpdates();
            set->setCachedUpdates(false);
        }
        throw;
    }
    for (RecordSet* set : held)
        set->setCachedUpdates(false);
}

} // namespace

TDataModuleFoods::TDataModuleFoods(const std::filesystem::path& dataFolder)
    : DatabaseFoods("sv FoodDatabase", dataFolder),
      tblFoodGroups(DatabaseFoods, "tblFoodGroups", "FD_GROUP.db"),
      dscFoodGroups("dscFoodGroups", &tblFoodGroups),
      tblFoodGroups2(DatabaseFoods, "tblFoodGroups2", "FD_GROUP.db"),
      dscFoodGroups2("dscFoodGroups2", &tblFoodGroups2),
      tblFoodDesc(DatabaseFoods, "tblFoodDesc", "FOOD_DES.db", "FdGrp_Index"),
      qrySearchFoods(DatabaseFoods, "qrySearchFoods"),
      dscFoodDesc("dscFoodDesc", &qrySearchFoods),
      tblFoodDesc2(DatabaseFoods, "tblFoodDesc2", "FOOD_DES.db"),
      dscFoodDesc2("dscFoodDesc2", &tblFoodDesc2),
      tblFoodDesc3(DatabaseFoods, "tblFoodDesc3", "FOOD_DES.db", "FdGrp_Index"),
      tblNutrientData(DatabaseFoods, "tblNutrientData", "NUT_DATA.db", "NDB_Index"),
      dscNutrientData("dscNutrientData", &tblNutrientData),
      tblNutrientData2(DatabaseFoods, "tblNutrientData2", "NUT_DATA.db", "NDB_Index"),
      dscNutrientData2("dscNutrientData2", &tblNutrientData2),
      tblNutrientDef(DatabaseFoods, "tblNutrientDef", "NUTR_DEF.db"),
      dscNutrientDef("dscNutrientDef", &tblNutrientDef),
      tblNutrientWeight(DatabaseFoods, "tblNutrientWeight", "WEIGHT.db", "NDB_Index"),
      dscNutrientWeight("dscNutrientWeight", &tblNutrientWeight),
      tblNutrientWeight2(DatabaseFoods, "tblNutrientWeight2", "WEIGHT.db", "NDB_Index"),
      dscNutrientWeight2("dscNutrientWeight2", &tblNutrientWeight2),
      tblNutrientPreference(DatabaseFoods, "tblNutrientPreference", "Nutr_Preference.db"),
      dscNutrientPeference("dscNutrientPeference", &tblNutrientPreference),
      tblFoodSimpleSearch(DatabaseFoods, "tblFoodSimpleSearch", "FoodSimpleSearch.db"),
      tblFoodAdvancedSearch(DatabaseFoods, "tblFoodAdvancedSearch", "FoodSQL.DB"),
      dscFoodAdvancedSearch("dscFoodAdvancedSearch", &tblFoodAdvancedSearch),
      tblFoodSQLRules(DatabaseFoods, "tblFoodSQLRules", "FoodSQLRules.DB", "SQL_Index"),
      dscFoodSQLRules("dscFoodSQLRules", &tblFoodSQLRules),
      sqlMaxNDB_No(DatabaseFoods, "sqlMaxNDB_No"),
      sqlMaxFdGrp_Cd(DatabaseFoods, "sqlMaxFdGrp_Cd"),
      sqlMaxFoodSQL_ID(DatabaseFoods, "sqlMaxFoodSQL_ID")
{
    auto foodGroupsLookup = [this] {
        return FieldSpec::lookup("FoodGroups", "FdGrp_Cd", tblFoodGroups2, "FdGrp_Cd", "FdGrp_Desc")
            .withLabel("Food Groups");
    };
    const std::vector<std::string> foodFactors = {"Refuse", "N_Factor", "Pro_Factor", "Fat_Factor", "CHO_Factor"};

    tblFoodGroups.setFields({FieldSpec::data("FdGrp_Cd"), FieldSpec::data("FdGrp_Desc").withLabel("Food Groups")});
    tblFoodGroups2.setFields({FieldSpec::data("FdGrp_Cd"), FieldSpec::data("FdGrp_Desc")});

    std::vector<FieldSpec> foodDesc = {FieldSpec::data("Desc").withLabel("Food Description"), foodGroupsLookup()};
    for (const auto& name : foodFactors)
        foodDesc.push_back(FieldSpec::data(name));
    foodDesc.push_back(FieldSpec::data("NDB_No"));
    foodDesc.push_back(FieldSpec::data("FdGrp_Cd"));
    tblFoodDesc.setFields(foodDesc);
    tblFoodDesc.setMaster(dscFoodGroups, "FdGrp_Cd");

    qrySearchFoods.setFields({foodGroupsLookup(), FieldSpec::data("FdGrp_Cd"), FieldSpec::data("NDB_No"),
                              FieldSpec::data("Desc").withSize(179).withLabel("Food Description")});
    qrySearchFoods.addSql("SELECT FdGrp_Cd, NDB_No, Food_des.\"Desc\"");
    qrySearchFoods.addSql("FROM \"FOOD_DES.db\" Food_des");

    std::vector<FieldSpec> foodDesc2 = {foodGroupsLookup(), FieldSpec::data("NDB_No"), FieldSpec::data("FdGrp_Cd"),
                                        FieldSpec::data("Desc")};
    std::vector<FieldSpec> foodDesc3 = {FieldSpec::data("NDB_No"), FieldSpec::data("FdGrp_Cd"), FieldSpec::data("Desc")};
    for (const auto& name : foodFactors) {
        foodDesc2.push_back(FieldSpec::data(name));
        foodDesc3.push_back(FieldSpec::data(name));
    }
    tblFoodDesc2.setFields(foodDesc2);
    tblFoodDesc2.setReadByKey(true); // it edits one food at a time
    tblFoodDesc3.setFields(foodDesc3);
    tblFoodDesc3.setMaster(dscFoodGroups2, "FdGrp_Cd");

    auto nutrientDataFields = [this] {
        return std::vector<FieldSpec>{
            FieldSpec::lookup("NutrientDescription", "Nutr_No", tblNutrientDef, "Nutr_No", "Nutr_Desc", 34)
                .withLabel("Nutrient Description")
                .withWidth(34),
            FieldSpec::data("Nutr_Val").withLabel("Per 100g").withWidth(9).withFormat("#.##"),
            FieldSpec::calculated("Nutr_ValByServing", FieldType::Number)
                .withLabel("Per Measure")
                .withWidth(12)
                .withFormat("#.##"),
            FieldSpec::lookup("Units", "Nutr_No", tblNutrientDef, "Nutr_No", "Units").withWidth(24),
            FieldSpec::calculated("Gm_Wgt", FieldType::Number).withWidth(12).withFormat("#.##"),
            FieldSpec::data("Nutr_ID").asReadOnly().withWidth(12),
            FieldSpec::data("NDB_No").withWidth(12),
            FieldSpec::data("Nutr_No").withWidth(12),
        };
    };
    tblNutrientData.setFields(nutrientDataFields());
    tblNutrientData.setMaster(dscFoodDesc, "NDB_No");
    tblNutrientData.onCalcFields = [this](RecordSet& set) { tblNutrientDataCalcFields(set); };
    tblNutrientData2.setFields(nutrientDataFields());
    tblNutrientData2.setMaster(dscFoodDesc2, "NDB_No");

    tblNutrientDef.setFields({FieldSpec::data("Nutr_No"), FieldSpec::data("Units"), FieldSpec::data("Nutr_Desc")});

    auto weightFields = [] {
        return std::vector<FieldSpec>{FieldSpec::data("Msre_Desc"), FieldSpec::data("Amount"), FieldSpec::data("Gm_Wgt"),
                                      FieldSpec::data("Weight_ID").asReadOnly(), FieldSpec::data("NDB_No"),
                                      FieldSpec::data("Seq")};
    };
    tblNutrientWeight.setFields(weightFields());
    tblNutrientWeight.setMaster(dscFoodDesc, "NDB_No");
    tblNutrientWeight2.setFields(weightFields());
    tblNutrientWeight2.setMaster(dscFoodDesc2, "NDB_No");

    tblNutrientPreference.setFields({
        FieldSpec::lookup("Nutr_Desc", "Nutr_No", tblNutrientDef, "Nutr_No", "Nutr_Desc", 34)
            .withLabel("Nutrient Description")
            .withWidth(34),
        FieldSpec::lookup("Units", "Nutr_No", tblNutrientDef, "Nutr_No", "Units"),
        FieldSpec::data("Nutr_No"),
    });
    tblNutrientPreference.setCachedUpdates(true);
    tblNutrientPreference.afterPost = [this](RecordSet& set) { tblNutrientPreferenceAfterPost(set); };
    tblNutrientPreference.afterDelete = [this](RecordSet& set) { tblNutrientPreferenceAfterPost(set); };

    tblFoodSimpleSearch.setFields({FieldSpec::data("Keyword")});
    tblFoodAdvancedSearch.setFields({FieldSpec::data("SQL_ID").withWidth(3), FieldSpec::data("SQL Name").withWidth(154)});
    tblFoodSQLRules.setFields({FieldSpec::data("Rule_ID").asReadOnly(), FieldSpec::data("Field"),
                               FieldSpec::data("Condition"), FieldSpec::data("RValue"), FieldSpec::data("SQL_ID"),
                               FieldSpec::data("ExtraInfo")});
    tblFoodSQLRules.setMaster(dscFoodAdvancedSearch, "SQL_ID");

    // The engine's HAVING form does not yield the maximum here; MAX() does, and
    // reads as empty (0) on an empty table.
    sqlMaxNDB_No.addSql("SELECT MAX( NDB_No ) AS NDB_No");
    sqlMaxNDB_No.addSql("FROM \"FOOD_DES.db\" Food_des");
    sqlMaxFdGrp_Cd.addSql("SELECT MAX( FdGrp_Cd ) AS FdGrp_Cd");
    sqlMaxFdGrp_Cd.addSql("FROM \"FD_GROUP.db\" Fd_group");
    sqlMaxFoodSQL_ID.addSql("SELECT MAX( SQL_ID ) AS SQL_ID");
    sqlMaxFoodSQL_ID.addSql("FROM \"FoodSQL.DB\" Food_des");

    auto dataChange = [this](DataSource& source, Field* field) { dscFoodDescDataChange(source, field); };
    dscFoodDesc.onDataChange = dataChange;
    dscFoodDesc2.onDataChange = dataChange;
    dscFoodAdvancedSearch.onDataChange = dataChange;

    // Lookup sources and masters first, so details read their range once.
    for (RecordSet* set : std::initializer_list<RecordSet*>{
             &tblFoodGroups2, &tblNutrientDef, &tblFoodGroups, &tblFoodDesc, &qrySearchFoods, &tblFoodDesc2,
             &tblFoodDesc3, &tblNutrientData, &tblNutrientData2, &tblNutrientWeight, &tblNutrientWeight2,
             &tblNutrientPreference, &tblFoodSimpleSearch, &tblFoodAdvancedSearch, &tblFoodSQLRules})
        set->open();
    allFoodsListed_ = DatabaseFoods.tableVersion(kFoodTable); // the list's first query is all foods

    DataModuleCreate();
}

TDataModuleFoods::~TDataModuleFoods()
{
    // Closing notifies the sources; nothing must reach the listeners any more.
    fMeasureListeners.clear();
    dscFoodDesc.onDataChange = nullptr;
    dscFoodDesc2.onDataChange = nullptr;
    dscFoodAdvancedSearch.onDataChange = nullptr;
}

int TDataModuleFoods::addMeasureListener(std::function<void()> listener)
{
    fMeasureListeners.emplace_back(fNextListenerId, std::move(listener));
    return fNextListenerId++;
}

void TDataModuleFoods::removeMeasureListener(int id)
{
    std::erase_if(fMeasureListeners, [id](const auto& entry) { return entry.first == id; });
}

void TDataModuleFoods::DataModuleCreate()
{
    for (RecordSet* set : std::initializer_list<RecordSet*>{&tblFoodGroups2, &tblFoodDesc2, &tblNutrientData,
                                                            &tblNutrientWeight, &qrySearchFoods,
                                                            &tblFoodAdvancedSearch, &tblFoodSQLRules})
        set->setCachedUpdates(true);
    ApplyNutrientPreferenceFilter();
}

// ---------------------------------------------------------------------------
// Browsing

const std::vector<std::string>& TDataModuleFoods::GetFoodGroupNames()
{
    fFoodGroupNames = fieldTexts(tblFoodGroups2, "FdGrp_Desc");
    tblFoodGroups2.last(); // where a walk over the names leaves it
    return fFoodGroupNames;
}

void TDataModuleFoods::ShowFoodsOfGroup(const std::string& groupName)
{
    if (!tblFoodGroups.locate("FdGrp_Desc", Value(groupName)))
        showMessage("Unknown Food Group");
    dscFoodDesc.setDataSet(&tblFoodDesc);
}

void TDataModuleFoods::ReloadFoodQuery(const std::vector<std::string>& lines,
                                       const std::vector<std::pair<std::string, Value>>& params)
{
    allFoodsListed_.reset();
    qrySearchFoods.close();
    qrySearchFoods.clearSql();
    qrySearchFoods.clearParams();
    for (const auto& line : lines)
        qrySearchFoods.addSql(line);
    for (const auto& [name, value] : params)
        qrySearchFoods.setParam(name, value);
    qrySearchFoods.open();
}

void TDataModuleFoods::QueryAllFoods()
{
    const std::uint64_t version = DatabaseFoods.tableVersion(kFoodTable);
    if (allFoodsListed_ == version && qrySearchFoods.active()) {
        qrySearchFoods.first();
        return;
    }
    ReloadFoodQuery({kAllFoodsLine}, {});
    allFoodsListed_ = version;
}

void TDataModuleFoods::QueryFoodsCandidatesFirst(const std::vector<std::int32_t>& candidates)
{
    if (candidates.empty()) {
        QueryAllFoods();
        return;
    }
    std::string order = "ORDER BY CASE NDB_No";
    std::vector<std::pair<std::string, Value>> params;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::string name = ":Candidate" + std::to_string(i);
        order += " WHEN " + name + " THEN " + std::to_string(i);
        params.emplace_back(name, Value(std::int64_t{candidates[i]}));
    }
    order += " ELSE " + std::to_string(candidates.size()) + " END, NDB_No";
    ReloadFoodQuery({kAllFoodsLine, order}, params);
}

void TDataModuleFoods::SearchFoodsByKeyword(const std::string& keyword)
{
    // The keyword is bound, not spliced: an apostrophe searches like any other
    // character, while '%' and '_' still act as wildcards.
    ReloadFoodQuery({kAllFoodsLine, "WHERE  LOWER( Food_des.\"Desc\" ) LIKE LOWER( '%%' || :Keyword || '%%' )"},
                    {{":Keyword", Value(keyword)}});
}

bool TDataModuleFoods::RunAdvancedSearch(const std::string& ruleGroupName)
{
    if (!tblFoodAdvancedSearch.locate("SQL Name", Value(ruleGroupName), true)) {
        QueryAllFoods();
        return true;
    }
    const auto fields = fieldTexts(tblFoodSQLRules, "Field");
    const auto conditions = fieldTexts(tblFoodSQLRules, "Condition");
    const auto values = fieldTexts(tblFoodSQLRules, "RValue");
    const auto extras = fieldTexts(tblFoodSQLRules, "ExtraInfo");
    std::vector<SearchRule> rules;
    for (std::size_t i = 0; i < fields.size(); ++i)
        rules.push_back({fields[i], conditions[i], values[i], extras[i]});

    const RuleGroupStatement statement = buildRuleGroupStatement(rules);
    if (!statement.Refusal.empty()) {
        // The rows of the previous search must not pass for this one's.
        qrySearchFoods.close();
        showError("The advanced search \"" + tblFoodAdvancedSearch.fieldByName("SQL Name").asString()
                  + "\" cannot run: " + statement.Refusal);
        return false;
    }
    ReloadFoodQuery({statement.Text}, statement.Params);
    return true;
}

void TDataModuleFoods::ShowSearchResults()
{
    dscFoodDesc.setDataSet(&qrySearchFoods);
}

const std::vector<MeasureEntry>& TDataModuleFoods::GetMeasures()
{
    fMeasures.clear();
    for (tblNutrientWeight.first(); !tblNutrientWeight.eof(); tblNutrientWeight.next()) {
        // A row without an amount has no grams per unit; it is no usable measure.
        const double amount = tblNutrientWeight.fieldByName("Amount").asFloat();
        if (amount == 0)
            continue;
        MeasureEntry entry;
        entry.GramsPerUnit = tblNutrientWeight.fieldByName("Gm_Wgt").asFloat() / amount;
        entry.Description = tblNutrientWeight.fieldByName("Msre_Desc").asString();
        entry.WeightId = static_cast<std::int32_t>(tblNutrientWeight.fieldByName("Weight_ID").asInteger());
        const bool known = std::any_of(fMeasures.begin(), fMeasures.end(),
                                       [&](const MeasureEntry& e) { return e.Description == entry.Description; });
        if (!known)
            fMeasures.push_back(std::move(entry));
    }
    return fMeasures;
}

double TDataModuleFoods::SelectMeasure(int index, double amount)
{
    if (index < 0 || index >= static_cast<int>(fMeasures.size()))
        throw ProgramError("List index out of bounds (" + std::to_string(index) + ")");
    fCurrentGramWeight = fMeasures[static_cast<std::size_t>(index)].GramsPerUnit * amount;
    // Only the per-measure values change: the rows just read for this food stay.
    tblNutrientData.recalculate();
    return fCurrentGramWeight;
}

void TDataModuleFoods::ClearMeasure()
{
    fCurrentGramWeight = 0;
    tblNutrientData.refresh();
}

// ---------------------------------------------------------------------------
// Search history

void TDataModuleFoods::AddSearchHistory(const std::string& keyword)
{
    // Removing the old spelling and storing the new one is one change: a failure
    // half-way must not lose the keyword.
    try {
        storeTogether(DatabaseFoods, {&tblFoodSimpleSearch}, {&tblFoodSimpleSearch}, [&] {
            if (tblFoodSimpleSearch.locate("Keyword", Value(keyword), true))
                tblFoodSimpleSearch.deleteRecord();
            tblFoodSimpleSearch.append();
            tblFoodSimpleSearch.fieldByName("Keyword").setAsString(keyword);
            tblFoodSimpleSearch.post();
        });
    } catch (const ProgramError& error) {
        // The history is a convenience: a data file that cannot take it (read-only,
        // or held by another program) must not stand between the user and the results.
        if (error.code() == 0)
            throw;
    }
}

void TDataModuleFoods::ClearSearchHistory()
{
    tblFoodSimpleSearch.first();
    while (!tblFoodSimpleSearch.isEmpty())
        tblFoodSimpleSearch.deleteRecord();
}

const std::vector<std::string>& TDataModuleFoods::GetSearchHistory()
{
    fSearchHistory = fieldTexts(tblFoodSimpleSearch, "Keyword");
    std::reverse(fSearchHistory.begin(), fSearchHistory.end()); // newest first
    tblFoodSimpleSearch.first(); // where a walk back from the last row leaves it
    return fSearchHistory;
}

const std::vector<std::string>& TDataModuleFoods::GetRuleGroupNames()
{
    // Every move of this set re-reads its rules and rebuilds the measure boxes.
    fRuleGroupNames = fieldTexts(tblFoodAdvancedSearch, "SQL Name");
    std::reverse(fRuleGroupNames.begin(), fRuleGroupNames.end());
    tblFoodAdvancedSearch.first();
    return fRuleGroupNames;
}

// ---------------------------------------------------------------------------
// Next numbers

std::int32_t TDataModuleFoods::NextFoodNumber()
{
    return nextNumber(sqlMaxNDB_No, "NDB_No", tblFoodDesc2);
}

std::int32_t TDataModuleFoods::NextFoodGroupCode()
{
    return nextNumber(sqlMaxFdGrp_Cd, "FdGrp_Cd", tblFoodGroups2);
}

std::int32_t TDataModuleFoods::NextRuleGroupId()
{
    return nextNumber(sqlMaxFoodSQL_ID, "SQL_ID", tblFoodAdvancedSearch);
}

// ---------------------------------------------------------------------------
// Foods

// The values and measures the food edit dialog changes are held with the food
// row from Begin to Post or Cancel: OK stores the three together, and Cancel
// leaves the tables as they were before the dialog opened.
void TDataModuleFoods::HoldFoodDetails()
{
    tblNutrientData2.setCachedUpdates(true);
    tblNutrientWeight2.setCachedUpdates(true);
}

// After a failed apply the changes stay pending, and held, until an OK stores
// them or a Cancel drops them.
void TDataModuleFoods::ReleaseFoodDetails()
{
    if (tblNutrientData2.updatesPending() || tblNutrientWeight2.updatesPending())
        return;
    tblNutrientData2.setCachedUpdates(false);
    tblNutrientWeight2.setCachedUpdates(false);
}

void TDataModuleFoods::BeginNewFood()
{
    const std::int32_t number = NextFoodNumber(); // before the row: see BeginNewFoodGroup
    HoldFoodDetails();
    tblFoodDesc2.append();
    tblFoodDesc2.fieldByName("NDB_No").setAsInteger(number);
}

void TDataModuleFoods::PostNewFood()
{
    Database::postAndApply(tblFoodDesc2, [this] { ApplyFoodEdits(); });
    ReleaseFoodDetails();
}

void TDataModuleFoods::CancelNewFood()
{
    tblFoodDesc2.cancel();
    CancelFoodEdits();
    ReleaseFoodDetails();
}

void TDataModuleFoods::BeginEditFood()
{
    // Editing wherever tblFoodDesc2 happens to stand would change another food.
    const Value number = FoodListSet().fieldByName("NDB_No").value();
    if (isNull(number) || !tblFoodDesc2.locate("NDB_No", number))
        throw ProgramError("The food to edit was not found in FOOD_DES.db");
    HoldFoodDetails();
    tblFoodDesc2.edit();
}

void TDataModuleFoods::PostEditedFood()
{
    const Value number = tblFoodDesc2.fieldByName("NDB_No").value();
    Database::postAndApply(tblFoodDesc2, [this] { ApplyFoodEdits(); });
    ReleaseFoodDetails();
    QueryAllFoods();
    if (FoodListShowsQuery())
        qrySearchFoods.locate("NDB_No", number);
    else
        tblFoodDesc.locate("NDB_No", number);
    FoodListSet().refresh();
}

void TDataModuleFoods::CancelEditedFood()
{
    tblFoodDesc2.cancel();
    const Value number = tblFoodDesc2.fieldByName("NDB_No").value();
    CancelFoodEdits();
    ReleaseFoodDetails();
    if (FoodListShowsQuery()) {
        qrySearchFoods.locate("NDB_No", number);
    } else {
        QueryAllFoods();
        tblFoodDesc.locate("NDB_No", number);
    }
}

bool TDataModuleFoods::DeleteDisplayedFood()
{
    RecordSet& list = FoodListSet();
    // Without a located food the confirmation would name, and the delete remove,
    // whatever row tblFoodDesc2 happens to stand on.
    const Value number = list.fieldByName("NDB_No").value();
    if (isNull(number) || !tblFoodDesc2.locate("NDB_No", number))
        return false;

    bool deleted = false;
    if (confirmDelete(tblFoodDesc2.fieldByName("Desc").asString())) {
        // The values and measures go with the food: the three deletes are stored
        // together or not at all.
        try {
            storeTogether(DatabaseFoods, {&tblNutrientData2, &tblNutrientWeight2},
                          {&tblNutrientData2, &tblNutrientWeight2, &tblFoodGroups2, &tblFoodDesc2, &tblNutrientData,
                           &tblNutrientWeight, &qrySearchFoods},
                          [this] {
                              while (!tblNutrientData2.isEmpty())
                                  tblNutrientData2.deleteRecord();
                              while (!tblNutrientWeight2.isEmpty())
                                  tblNutrientWeight2.deleteRecord();
                              tblFoodDesc2.deleteRecord();
                          });
        } catch (...) {
            tblFoodDesc2.cancelUpdates();
            throw;
        }
        deleted = true;
    } else {
        CancelFoodEdits();
    }
    list.refresh();
    return deleted;
}

// The food's values and measures go with it when the dialog holds them back;
// otherwise they have nothing pending and add nothing.
void TDataModuleFoods::ApplyFoodEdits()
{
    DatabaseFoods.applyUpdates({&tblFoodGroups2, &tblFoodDesc2, &tblNutrientData2, &tblNutrientWeight2,
                                &tblNutrientData, &tblNutrientWeight, &qrySearchFoods});
}

void TDataModuleFoods::CancelFoodEdits()
{
    tblFoodGroups2.cancelUpdates();
    tblFoodDesc2.cancelUpdates();
    tblNutrientData2.cancelUpdates();
    tblNutrientWeight2.cancelUpdates();
    tblNutrientData.cancelUpdates();
    tblNutrientWeight.cancelUpdates();
}

// ---------------------------------------------------------------------------
// Food groups

void TDataModuleFoods::BeginNewFoodGroup()
{
    // Numbered before the row exists: a number that cannot be read leaves no row behind.
    const std::int32_t code = NextFoodGroupCode();
    tblFoodGroups2.append();
    tblFoodGroups2.fieldByName("FdGrp_Cd").setAsInteger(code);
}

void TDataModuleFoods::PostNewFoodGroup()
{
    tblFoodGroups2.post();
}

void TDataModuleFoods::CancelNewFoodGroup()
{
    tblFoodGroups2.cancel();
}

void TDataModuleFoods::BeginEditFoodGroup()
{
    tblFoodGroups2.edit();
}

void TDataModuleFoods::PostEditedFoodGroup()
{
    tblFoodGroups2.post();
}

void TDataModuleFoods::CancelEditedFoodGroup()
{
    tblFoodGroups2.cancel();
}

void TDataModuleFoods::DeleteFoodGroup()
{
    if (tblFoodGroups2.isEmpty())
        return; // no group: nothing to ask about
    if (confirmDeleteUnlessInUse(tblFoodDesc3.recordCount() >= 1,
                                 "Can't Delete a Group with food items in it...\n Delete Food Item(s) First!!",
                                 tblFoodGroups2.fieldByName("FdGrp_Desc").asString()))
        tblFoodGroups2.deleteRecord();
}

// ---------------------------------------------------------------------------
// Rule groups

// The rule editor changes the group's rules as well as its row, so its Cancel
// takes back both: the rules added or removed since Begin, and the row.
void TDataModuleFoods::BeginNewRuleGroup()
{
    const std::int32_t id = NextRuleGroupId(); // before the row: see BeginNewFoodGroup
    fRuleGroupUndo.reset();
    fRuleGroupUndo = std::make_unique<UndoPoint>(std::vector<RecordSet*>{&tblFoodSQLRules, &tblFoodAdvancedSearch});
    tblFoodAdvancedSearch.append();
    tblFoodAdvancedSearch.fieldByName("SQL_ID").setAsInteger(id);
}

void TDataModuleFoods::BeginEditRuleGroup()
{
    fRuleGroupUndo.reset();
    fRuleGroupUndo = std::make_unique<UndoPoint>(std::vector<RecordSet*>{&tblFoodSQLRules, &tblFoodAdvancedSearch});
    tblFoodAdvancedSearch.edit();
}

void TDataModuleFoods::PostRuleGroup()
{
    tblFoodAdvancedSearch.post();
    fRuleGroupUndo.reset();
}

void TDataModuleFoods::CancelRuleGroup()
{
    if (!fRuleGroupUndo) {
        tblFoodAdvancedSearch.cancel();
        return;
    }
    const std::unique_ptr<UndoPoint> undo = std::move(fRuleGroupUndo);
    undo->rollBack();
}

bool TDataModuleFoods::RuleGroupNameTaken(const std::string& name)
{
    const Field& column = tblFoodAdvancedSearch.fieldByName("SQL Name");
    const int own = tblFoodAdvancedSearch.currentRow();
    const int rows = tblFoodAdvancedSearch.recordCount();
    for (int row = 0; row < rows; ++row) {
        const Value other = tblFoodAdvancedSearch.valueAt(row, column);
        if (row != own && sameValue(other, Value(name), true))
            return true;
    }
    return false;
}

void TDataModuleFoods::ApplyRuleGroupEdits()
{
    DatabaseFoods.applyUpdates({&tblFoodSQLRules, &tblFoodAdvancedSearch});
}

void TDataModuleFoods::CancelRuleGroupEdits()
{
    tblFoodSQLRules.cancelUpdates();
    tblFoodAdvancedSearch.cancelUpdates();
}

void TDataModuleFoods::DeleteRuleGroup()
{
    if (tblFoodAdvancedSearch.isEmpty()
        || !confirmDelete(tblFoodAdvancedSearch.fieldByName("SQL Name").asString()))
        return;
    tblFoodSQLRules.first();
    while (!tblFoodSQLRules.isEmpty())
        tblFoodSQLRules.deleteRecord();
    tblFoodAdvancedSearch.deleteRecord();
}

// ---------------------------------------------------------------------------
// Nutrients and notifications

void TDataModuleFoods::ApplyNutrientPreferenceFilter()
{
    applyPreferenceFilter(tblNutrientPreference, tblNutrientData);
    tblNutrientPreference.last(); // where a walk over the preferences leaves it
}

void TDataModuleFoods::tblNutrientPreferenceAfterPost(RecordSet&)
{
    ApplyNutrientPreferenceFilter();
    if (RecipePreferenceFilterHook)
        RecipePreferenceFilterHook();
}

void TDataModuleFoods::dscFoodDescDataChange(DataSource&, Field*)
{
    const auto listeners = fMeasureListeners; // a listener may remove itself
    for (const auto& [id, listener] : listeners)
        listener();
}

void TDataModuleFoods::tblNutrientDataCalcFields(RecordSet& set)
{
    // An amount beyond the amount rule ("1e308", "-100") has no per-measure values.
    if (!isAllowedGrams(fCurrentGramWeight)) {
        set.fieldByName("Gm_Wgt").clear();
        set.fieldByName("Nutr_ValByServing").clear();
        return;
    }
    set.fieldByName("Gm_Wgt").setAsFloat(fCurrentGramWeight);
    set.fieldByName("Nutr_ValByServing").setAsFloat(set.fieldByName("Nutr_Val").asFloat() * (fCurrentGramWeight * 0.01));
}
