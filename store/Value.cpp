#include "store/Value.h"

#include "store/Text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string formatNumber(double value, const std::string& displayFormat)
{
    const auto point = displayFormat.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(displayFormat.size() - point - 1);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    // '#' forces no digit: no leading zero before the point, nothing at all for zero.
    // A '0' before the point forces one: "0.###" shows 0.5 as "0.5" and zero as "0".
    if (point != std::string::npos && point > 0 && displayFormat[point - 1] == '0')
        return text == "-0" ? "0" : text;
    const bool negative = !text.empty() && text[0] == '-';
    std::string digits = negative ? text.substr(1) : text;
    if (digits.starts_with("0"))
        digits.erase(0, 1);
    if (digits.empty())
        return {};
    return negative ? "-" + digits : digits;
}

std::string numberText(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return buffer;
    }
    char buffer[32];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
        if (std::strtod(buffer, nullptr) == value)
            break;
    }
    return buffer;
}

bool sameValue(const Value& a, const Value& b, bool caseInsensitive)
{
    if (isNull(a) || isNull(b))
        return isNull(a) && isNull(b);
    const auto x = numberOf(a);
    const auto y = numberOf(b);
    if (x && y)
        return *x == *y;
    if (x || y)
        return false;
    const auto& s = std::get<std::string>(a);
    const auto& t = std::get<std::string>(b);
    return caseInsensitive ? equalTextIgnoringCase(s, t) : s == t;
}
