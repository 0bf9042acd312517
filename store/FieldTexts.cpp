#include "store/FieldTexts.h"

#include "store/RecordSet.h"

std::vector<std::string> fieldTexts(RecordSet& set, const std::string& field)
{
    const Field& column = set.fieldByName(field);
    std::vector<std::string> texts;
    const int rows = set.recordCount();
    texts.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        texts.push_back(column.textOf(set.valueAt(row, column)));
    return texts;
}
