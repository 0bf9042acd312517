#include "recipes/EnergyShares.h"

#include "store/Sqlite.h"

#include <string_view>

namespace {

// SR28's nutrient numbers for the four parts.
constexpr int kProtein = 203;
constexpr int kFat = 204;
constexpr int kCarbohydrate = 205;
constexpr int kAlcohol = 221;

std::string factorOf(std::string_view field, double general)
{
    // A factor of 0 or none means the tables give none for that food.
    return "COALESCE(NULLIF(f.\"" + std::string(field) + "\", 0), " + std::to_string(general) + ")";
}

std::string partSum(int nutrient, const std::string& factor)
{
    return "SUM(CASE WHEN n.\"Nutr_No\" = " + std::to_string(nutrient) +
           " THEN n.\"Nutr_Val\" * i.\"WeightInGram\" * 0.01 * " + factor + " ELSE 0 END)";
}

} // namespace

std::optional<EnergyShares> energySharesOf(const EnergyParts& parts)
{
    const double total = parts.total();
    if (!(total > 0))
        return std::nullopt;
    return EnergyShares{100 * parts.protein / total, 100 * parts.fat / total,
                        100 * parts.carbohydrate / total, 100 * parts.alcohol / total};
}

std::string energyPartsStatement(bool oneRecipe)
{
    std::string sql =
        "SELECT i.\"R_ID\", " + partSum(kProtein, factorOf("Pro_Factor", kGeneralProteinFactor)) + ", " +
        partSum(kFat, factorOf("Fat_Factor", kGeneralFatFactor)) + ", " +
        partSum(kCarbohydrate, factorOf("CHO_Factor", kGeneralCarbohydrateFactor)) + ", " +
        partSum(kAlcohol, std::to_string(kAlcoholFactor)) +
        " FROM \"Rescipe_ingredients.DB\" i"
        " JOIN \"FOOD_DES.db\" f ON f.\"NDB_No\" = i.\"NDB_No\""
        " JOIN \"NUT_DATA.db\" n ON n.\"NDB_No\" = i.\"NDB_No\" AND n.\"Nutr_No\" IN (" +
        std::to_string(kProtein) + ", " + std::to_string(kFat) + ", " + std::to_string(kCarbohydrate) + ", " +
        std::to_string(kAlcohol) +
        ")"
        " WHERE i.\"WeightInGram\" > 0";
    if (oneRecipe)
        sql += " AND i.\"R_ID\" = ?1";
    return sql + " GROUP BY i.\"R_ID\"";
}

EnergyParts energyPartsOfRecipe(const SqliteDatabase& db, std::int64_t recipeId)
{
    auto statement = db.prepare(energyPartsStatement(true));
    statement.bindInt(1, recipeId);
    EnergyParts parts;
    if (statement.step())
        parts = {statement.columnDouble(1), statement.columnDouble(2), statement.columnDouble(3),
                 statement.columnDouble(4)};
    return parts;
}
