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

} // namespace

double readAmount(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    const std::size_t start = at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    std::size_t digits = digitsFrom(text, at);
    at += digits;
    if (at < text.size() && text[at] == '.') {
        const std::size_t decimals = digitsFrom(text, at + 1);
        // A lone point ("5." or ".5") still belongs to the number if a digit stands on either side.
        if (digits + decimals > 0) {
            at += 1 + decimals;
            digits += decimals;
        }
    }
    if (digits == 0)
        return 0;
    // An exponent counts only when it is complete: "1e" is 1, "1e+" is 1.
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        if (const std::size_t count = digitsFrom(text, exponent); count > 0)
            at = exponent + count;
    }
    // Only the checked characters reach strtod, so it cannot read hex, inf or nan forms.
    const std::string number(text.substr(start, at - start));
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0;
}
