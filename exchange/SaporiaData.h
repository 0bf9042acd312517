#pragma once

#include <QLatin1StringView>

// The one property of Saporia's own in the recipes it writes, and its members:
// what schema.org has no property for, so that an export reads back exactly.
namespace saporia_data {

inline constexpr QLatin1StringView kPrefix{"saporia"};
inline constexpr QLatin1StringView kNamespace{"https://saporia.example.org/ns/recipe#"};
inline constexpr QLatin1StringView kProperty{"saporia:data"};

inline constexpr QLatin1StringView kWebPageName{"webPageName"};
inline constexpr QLatin1StringView kProcedure{"procedure"}; // only when the steps cannot rebuild it
inline constexpr QLatin1StringView kLinks{"lines"};         // one per recipeIngredient, null when unlinked
inline constexpr QLatin1StringView kTotals{"totals"};
inline constexpr QLatin1StringView kFields{"fields"};       // one per recipeIngredient, null when kept as written

inline constexpr QLatin1StringView kNdbNo{"ndbNo"};
inline constexpr QLatin1StringView kFood{"food"};
inline constexpr QLatin1StringView kByGram{"byGram"};
inline constexpr QLatin1StringView kMeasure{"measure"};
inline constexpr QLatin1StringView kAmount{"amount"};
inline constexpr QLatin1StringView kGrams{"grams"};
inline constexpr QLatin1StringView kNutrient{"nutrient"};
inline constexpr QLatin1StringView kValue{"value"};
inline constexpr QLatin1StringView kQuantity{"quantity"};
inline constexpr QLatin1StringView kUnit{"unit"};
inline constexpr QLatin1StringView kName{"name"};

} // namespace saporia_data
