#include "store/RowFilter.h"

#include "store/ProgramError.h"
#include "store/RecordSet.h"
#include "store/Text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

// A number SQLite compares as the filter does, or nothing: beyond 2^53 the filter's
// comparison through doubles and SQLite's exact one part.
std::optional<std::string> jsonNumber(const Value& value)
{
    constexpr double kExact = 9007199254740992.0;
    if (const auto* whole = std::get_if<std::int64_t>(&value)) {
        if (std::fabs(static_cast<double>(*whole)) >= kExact)
            return std::nullopt;
        return std::to_string(*whole);
    }
    const double number = std::get<double>(value);
    if (!std::isfinite(number) || std::fabs(number) >= kExact)
        return std::nullopt;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", number);
    return std::string(buffer);
}

std::string jsonText(const std::string& text)
{
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + '"';
}

} // namespace

RowFilter RowFilter::parse(const std::string& text, RecordSet& set)
{
    RowFilter filter;
    if (trimmed(text).empty())
        return filter;
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    Field* field = nullptr;
    std::string fieldName;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = upper.find(" OR ", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string term = text.substr(start, end - start);
        const auto equals = term.find('=');
        if (equals == std::string::npos)
            throw ProgramError("Invalid filter term '" + term + "' in " + set.name());
        // A filter lists many values of one field: its name is looked up once per run of terms.
        std::string name = trimmed(term.substr(0, equals));
        if (!field || name != fieldName) {
            field = &set.fieldByName(name);
            if (field->kind() != FieldKind::Data)
                throw ProgramError("Field '" + field->fieldName() + "' cannot be filtered");
            fieldName = std::move(name);
        }
        std::string valueText = trimmed(term.substr(equals + 1));
        if (valueText.size() >= 2 && valueText.front() == '\'' && valueText.back() == '\'')
            valueText = valueText.substr(1, valueText.size() - 2);
        filter.add(field->storedColumn(), field->convert(Value(valueText)));
        start = end + 4;
    }
    return filter;
}

void RowFilter::add(int column, const Value& value)
{
    auto found = std::find_if(columns_.begin(), columns_.end(), [&](const Column& c) { return c.column == column; });
    if (found == columns_.end()) {
        columns_.push_back({column, {}, false, {}});
        found = columns_.end() - 1;
    }
    if (isNull(value)) {
        found->empty = true;
        return;
    }
    if (found->values.find(value))
        return;
    found->values.emplace(value, true);
    const auto item = numberOf(value) ? jsonNumber(value) : std::optional<std::string>(jsonText(std::get<std::string>(value)));
    if (!item) {
        storable_ = false;
        return;
    }
    found->json += (found->json.empty() ? "" : ",") + *item;
}

std::optional<std::vector<RowFilter::StoredTerms>> RowFilter::storedTerms() const
{
    if (!storable_)
        return std::nullopt;
    std::vector<StoredTerms> terms;
    for (const auto& c : columns_)
        terms.push_back({c.column, "[" + c.json + "]", c.empty});
    return terms;
}

bool RowFilter::accepts(const RowValues& stored) const
{
    if (columns_.empty())
        return true;
    return std::any_of(columns_.begin(), columns_.end(), [&](const Column& c) {
        const Value& value = stored[static_cast<std::size_t>(c.column)];
        return isNull(value) ? c.empty : c.values.find(value) != nullptr;
    });
}
