#include "kitchen/KitchenTestData.h"

std::unique_ptr<Database> openKitchenData()
{
    return std::make_unique<Database>("kitchen", SAPORIA_KITCHEN_DATA, Database::Access::ReadOnly);
}
