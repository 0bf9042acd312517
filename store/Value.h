#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

// A field value: empty (null), a whole number, a number or a text.
using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

inline bool isNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

// The value as a number, when it is one (whole or not).
inline std::optional<double> numberOf(const Value& v)
{
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&v))
        return *d;
    return std::nullopt;
}

// Equality as locate, filters, links and lookups see it: empty equals only empty,
// numbers compare by value whatever their kind, a number never equals a text.
bool sameValue(const Value& a, const Value& b, bool caseInsensitive = false);

// Formats a number with a display format of the "#.##" family: at most as many
// decimals as the format has '#' after the point, no forced digits
// (2.5 -> "2.5", 0.456 -> ".46", 0 -> "").
std::string formatNumber(double value, const std::string& displayFormat);

// The plain text of a number as the program shows it without a format
// (whole numbers without decimals, others in the shortest exact form).
std::string numberText(double value);
