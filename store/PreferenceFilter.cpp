#include "store/PreferenceFilter.h"

#include "store/FieldTexts.h"
#include "store/RecordSet.h"

std::string preferenceFilterText(RecordSet& preferences)
{
    std::string text;
    for (const auto& nutrient : fieldTexts(preferences, "Nutr_No")) {
        if (!text.empty())
            text += " OR ";
        text += "Nutr_No=" + nutrient;
    }
    return text;
}

void applyPreferenceFilter(RecordSet& preferences, RecordSet& nutrients)
{
    // One re-read of the nutrients: clearing the old text first would show them all in between.
    nutrients.setFilter(preferenceFilterText(preferences));
    nutrients.setFiltered(true);
}
