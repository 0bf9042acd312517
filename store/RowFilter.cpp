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
        filter.terms_.push_back({field.storedColumn(), field.convert(Value(valueText))});
        start = end + 4;
    }
    return filter;
}

bool RowFilter::accepts(const std::vector<Value>& stored) const
{
    if (terms_.empty())
        return true;
    return std::any_of(terms_.begin(), terms_.end(), [&](const Term& term) {
        return sameValue(stored[static_cast<std::size_t>(term.column)], term.value);
    });
}
