#include "store/NextNumber.h"

#include "store/Query.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Some keys are whole numbers stored as doubles (rule group ids).
std::optional<std::int64_t> wholeNumberOf(const Value& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return *i;
    if (const auto* d = std::get_if<double>(&value); d && std::isfinite(*d))
        return std::llround(*d);
    return std::nullopt;
}

} // namespace

std::int32_t nextNumber(Query& highestStored, const std::string& field, RecordSet& pendingRows)
{
    highestStored.open();
    std::int64_t highest = highestStored.fieldByName(field).asInteger();
    highestStored.close();
    // Without pending changes the set shows stored rows only, which the query has seen.
    if (pendingRows.updatesPending()) {
        const Field& column = pendingRows.fieldByName(field);
        const int rows = pendingRows.recordCount();
        for (int row = 0; row < rows; ++row)
            if (const auto number = wholeNumberOf(pendingRows.valueAt(row, column)))
                highest = std::max(highest, *number);
    }
    return static_cast<std::int32_t>(highest + 1);
}
