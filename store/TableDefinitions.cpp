#include "store/TableDefinitions.h"

#include "store/ProgramError.h"
#include "store/Text.h"

namespace {

using F = FieldType;

std::vector<TableDefinition> makeDefinitions()
{
    return {
        // Food side
        {"FD_GROUP.db",
         {{"FdGrp_Cd", F::LongInteger}, {"FdGrp_Desc", F::Alpha, 33}},
         "FdGrp_Cd",
         {}},
        {"FOOD_DES.db",
         {{"NDB_No", F::LongInteger},
          {"FdGrp_Cd", F::LongInteger},
          {"Desc", F::Alpha, 179},
          {"Refuse", F::Short},
          {"N_Factor", F::Number},
          {"Pro_Factor", F::Number},
          {"Fat_Factor", F::Number},
          {"CHO_Factor", F::Number}},
         "NDB_No",
         {{"FdGrp_Index", {"FdGrp_Cd"}, true}}},
        {"NUT_DATA.db",
         {{"Nutr_ID", F::AutoIncrement},
          {"NDB_No", F::LongInteger},
          {"Nutr_No", F::LongInteger},
          {"Nutr_Val", F::Number}},
         "Nutr_ID",
         {{"NDB_Index", {"NDB_No"}, true}},
         // Advanced searches select foods by a nutrient's value, or probe one
         // food's value of a nutrient with a single seek.
         {{"Nutr_Value_Index", {"Nutr_No", "Nutr_Val"}, false},
          {"Nutr_Food_Index", {"NDB_No", "Nutr_No", "Nutr_Val"}, false}}},
        {"NUTR_DEF.db",
         {{"Nutr_No", F::LongInteger}, {"Units", F::Alpha, 7}, {"Nutr_Desc", F::Alpha, 34}},
         "",
         {}},
        {"WEIGHT.db",
         {{"Weight_ID", F::AutoIncrement},
          {"NDB_No", F::LongInteger},
          {"Seq", F::Short},
          {"Amount", F::Number},
          {"Msre_Desc", F::Alpha, 77},
          {"Gm_Wgt", F::Number}},
         "Weight_ID",
         {{"NDB_Index", {"NDB_No"}, true}}},
        {"Nutr_Preference.db", {{"Nutr_No", F::LongInteger}}, "", {}},
        {"FoodSimpleSearch.db", {{"Keyword", F::Alpha, 255}}, "", {}},
        {"FoodSQL.DB", {{"SQL_ID", F::Number}, {"SQL Name", F::Alpha, 128}}, "", {}},
        {"FoodSQLRules.DB",
         {{"Rule_ID", F::AutoIncrement},
          {"Field", F::Alpha, 128},
          {"Condition", F::Alpha, 128},
          {"RValue", F::Alpha, 255},
          {"SQL_ID", F::Number},
          {"ExtraInfo", F::Alpha, 255}},
         "Rule_ID",
         {{"SQL_Index", {"SQL_ID"}, false}}},

        // Recipe side
        {"Recipe_Des.DB",
         {{"R_ID", F::LongInteger},
          {"Recipe Name", F::Alpha, 179},
          {"Cuisine_ID", F::Number},
          {"Preperation Time", F::Number},
          {"Cooking Time", F::Number},
          {"Number of Serves", F::Number},
          {"Procedures", F::Memo},
          {"Author", F::Alpha, 80},
          {"Source", F::Alpha, 179},
          {"Web Page Name", F::Alpha, 225},
          {"Web Page Link", F::Memo}},
         "R_ID",
         {{"Cuisine_Index", {"Cuisine_ID"}, false}}},
        {"Recipe_Types.DB", {{"RTYPE_ID", F::LongInteger}, {"Recipe Type", F::Alpha, 60}}, "", {}},
        {"Recipe_Cuisine.DB",
         {{"Cuisine_ID", F::AutoIncrement}, {"Cuisine", F::Alpha, 50}},
         "Cuisine_ID",
         {}},
        {"Recipe_DesAndTypes.DB",
         {{"ID", F::AutoIncrement}, {"RTYPE_ID", F::LongInteger}, {"R_ID", F::LongInteger}},
         "ID",
         {{"RTYPE_INDEX", {"RTYPE_ID"}, false}, {"R_Index", {"R_ID"}, false}}},
        {"Rescipe_ingredients.DB",
         {{"R_ING_ID", F::AutoIncrement},
          {"Ingredient Name", F::Alpha, 179},
          {"R_ID", F::LongInteger},
          {"Quantity", F::Number},
          {"Unit", F::Alpha, 80},
          {"NDB_No", F::LongInteger},
          {"NDB_ByGram", F::Logical},
          {"NDB_Quantity", F::Number},
          {"NDB_Weight_ID", F::Number},
          {"WeightInGram", F::Number}},
         "R_ING_ID",
         {{"R_INDEX", {"R_ID"}, true}}},
        {"Recipe_NUT_DATA.db",
         {{"ID", F::AutoIncrement},
          {"R_ID", F::LongInteger},
          {"Nutr_No", F::LongInteger},
          {"Nutr_Val", F::Number}},
         "ID",
         {{"R_Index", {"R_ID"}, true}}},
    };
}

} // namespace

std::string quoteIdentifier(std::string_view name)
{
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string sqliteColumnType(FieldType type)
{
    switch (type) {
    case FieldType::Number:
        return "REAL";
    case FieldType::Alpha:
    case FieldType::Memo:
        return "TEXT";
    default:
        return "INTEGER";
    }
}

const FieldDefinition* TableDefinition::findField(std::string_view fieldName) const
{
    for (const auto& field : fields)
        if (equalNamesIgnoringCase(field.name, fieldName))
            return &field;
    return nullptr;
}

const IndexDefinition* TableDefinition::findIndex(std::string_view indexName) const
{
    for (const auto& index : indexes)
        if (equalNamesIgnoringCase(index.name, indexName))
            return &index;
    return nullptr;
}

std::string TableDefinition::storageIndexName(const IndexDefinition& index) const
{
    return name + "." + index.name;
}

const std::vector<TableDefinition>& allTableDefinitions()
{
    static const std::vector<TableDefinition> definitions = makeDefinitions();
    return definitions;
}

const std::vector<TableDefinition>& ownTableDefinitions()
{
    static const std::vector<TableDefinition> definitions = {
        // The ingredient line as the cook wrote it, beside the ingredient row it was read into.
        {kIngredientLineTable, {{"R_ING_ID", F::LongInteger}, {"Line", F::Memo}}, "R_ING_ID", {}},
        {kRecipeSearchHistoryTable, {{"Keyword", F::Alpha, 255}}, "", {}},
        {kRecipeSearchTable, {{"SQL_ID", F::Number}, {"SQL Name", F::Alpha, 128}}, "", {}},
        // Field, Condition and RValue say the rule in words; Kind and Keys are what the search reads.
        {kRecipeSearchRuleTable,
         {{"Rule_ID", F::AutoIncrement},
          {"SQL_ID", F::Number},
          {"Field", F::Alpha, 128},
          {"Condition", F::Alpha, 128},
          {"RValue", F::Alpha, 255},
          {"Kind", F::Alpha, 20},
          {"Keys", F::Alpha, 255}},
         "Rule_ID",
         {{"SQL_Index", {"SQL_ID"}, false}}},
    };
    return definitions;
}

const TableDefinition* findTableDefinition(std::string_view tableName)
{
    for (const auto* tables : {&allTableDefinitions(), &ownTableDefinitions()})
        for (const auto& table : *tables)
            if (equalNamesIgnoringCase(table.name, tableName))
                return &table;
    return nullptr;
}

const TableDefinition& tableDefinition(std::string_view tableName)
{
    if (const auto* table = findTableDefinition(tableName))
        return *table;
    throw ProgramError("Table does not exist: " + std::string(tableName));
}
