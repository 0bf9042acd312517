#include "store/NextNumber.h"

#include "store/Query.h"

#include <algorithm>
#include <cmath>

std::int32_t nextNumber(Query& highestStored, const std::string& field, RecordSet& pendingRows)
{
    highestStored.open();
    std::int64_t highest = highestStored.fieldByName(field).asInteger();
    highestStored.close();
    // Without pending changes the set shows stored rows only, which the query has seen.
    if (pendingRows.updatesPending()) {
        const Field& column = pendingRows.fieldByName(field);
        const int rows = pendingRows.recordCount();
        // Some keys are whole numbers stored as doubles (rule group ids).
        for (int row = 0; row < rows; ++row)
            if (const auto number = numberOf(pendingRows.valueAt(row, column)); number && std::isfinite(*number))
                highest = std::max(highest, static_cast<std::int64_t>(std::llround(*number)));
    }
    return static_cast<std::int32_t>(highest + 1);
}
