#include "store/Amount.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::size_t digitsFrom(std::string_view text, std::size_t at)
{
    std::size_t end = at;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end - at;
}

// The longest number at `at`, written for strtod: thousands commas dropped and a
// decimal comma made a point. `end` is where the number stopped in `text`.
std::string numberAt(std::string_view text, std::size_t at, std::size_t& end)
{
    std::string number;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        number += text[at++];
    std::size_t digits = digitsFrom(text, at);
    number.append(text.substr(at, digits));
    at += digits;
    bool decimal = false;
    while (digits > 0 && at < text.size() && text[at] == ',') {
        const std::size_t after = digitsFrom(text, at + 1);
        if (after == 3 && !decimal) {
            number.append(text.substr(at + 1, 3));
            at += 4;
        } else if ((after == 1 || after == 2) && !decimal && number.find('.') == std::string::npos) {
            number += '.';
            number.append(text.substr(at + 1, after));
            at += 1 + after;
            decimal = true;
        } else {
            break;
        }
    }
    if (!decimal && at < text.size() && text[at] == '.') {
        const std::size_t decimals = digitsFrom(text, at + 1);
        // A lone point ("5." or ".5") still belongs to the number if a digit stands on either side.
        if (digits + decimals > 0) {
            number += '.';
            number.append(text.substr(at + 1, decimals));
            at += 1 + decimals;
            digits += decimals;
        }
    }
    if (digits == 0) {
        end = at;
        return {};
    }
    // An exponent counts only when it is complete: "1e" is 1, "1e+" is 1.
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        if (const std::size_t count = digitsFrom(text, exponent); count > 0) {
            number.append(text.substr(at, exponent + count - at));
            at = exponent + count;
        }
    }
    end = at;
    return number;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

double readAmount(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    std::size_t end = at;
    const std::string number = numberAt(text, at, end);
    if (number.empty())
        return 0;
    // Only the checked characters reach strtod, so it cannot read hex, inf or nan forms.
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0;
}

std::optional<double> readTypedNumber(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    std::size_t last = text.size();
    while (last > at && isBlank(text[last - 1]))
        --last;
    std::size_t end = at;
    const std::string number = numberAt(text.substr(0, last), at, end);
    if (number.empty() || end != last)
        return std::nullopt;
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isAllowedGrams(double grams)
{
    return std::isfinite(grams) && grams > 0 && grams <= kMaxGrams;
}
