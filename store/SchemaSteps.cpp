#include "store/SchemaSteps.h"

#include "store/Schema.h"
#include "store/TableDefinitions.h"

const std::vector<SchemaStep>& schemaSteps()
{
    static const std::vector<SchemaStep> steps = {
        // Stamps the layout every earlier file has, so that later steps know where they start.
        {1, [](SqliteDatabase&) {}},
        {2, [](SqliteDatabase& db) { createTableWithIndexes(db, tableDefinition(kIngredientLineTable)); }},
    };
    return steps;
}

int currentSchemaVersion()
{
    return schemaSteps().back().version;
}
