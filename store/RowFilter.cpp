#include "store/RowFilter.h"

#include "store/ProgramError.h"
#include "store/RecordSet.h"
#include "store/Text.h"

#include <algorithm>
#include <cctype>

RowFilter RowFilter::parse(const std::string& text, RecordSet& set)
{
    RowFilter filter;
    if (trimmed(text).empty())
        return filter;
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = upper.find(" OR ", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string term = text.substr(start, end - start);
        const auto equals = term.find('=');
        if (equals == std::string::npos)
            throw ProgramError("Invalid filter term '" + term + "' in " + set.name());
        Field& field = set.fieldByName(trimmed(term.substr(0, equals)));
        if (field.kind() != FieldKind::Data)
            throw ProgramError("Field '" + field.fieldName() + "' cannot be filtered");
        std::string valueText = trimmed(term.substr(equals + 1));
        if (valueText.size() >= 2 && valueText.front() == '\'' && valueText.back() == '\'')
            valueText = valueText.substr(1, valueText.size() - 2);
        filter.add(field.storedColumn(), field.convert(Value(valueText)));
        start = end + 4;
    }
    return filter;
}

void RowFilter::add(int column, const Value& value)
{
    auto found = std::find_if(columns_.begin(), columns_.end(), [&](const Column& c) { return c.column == column; });
    if (found == columns_.end()) {
        columns_.push_back({column, {}, false});
        found = columns_.end() - 1;
    }
    if (isNull(value))
        found->empty = true;
    else
        found->values.emplace(value, true);
}

bool RowFilter::accepts(const std::vector<Value>& stored) const
{
    if (columns_.empty())
        return true;
    return std::any_of(columns_.begin(), columns_.end(), [&](const Column& c) {
        const Value& value = stored[static_cast<std::size_t>(c.column)];
        return isNull(value) ? c.empty : c.values.find(value) != nullptr;
    });
}
