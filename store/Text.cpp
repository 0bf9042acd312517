#include "store/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::size_t utf8Length(std::string_view text)
{
    std::size_t length = 0;
    for (unsigned char c : text)
        length += (c & 0xC0) != 0x80;
    return length;
}

std::string utf8Prefix(std::string_view text, std::size_t characters)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == characters)
            return std::string(text.substr(0, i));
    return std::string(text);
}

bool equalNamesIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [&](unsigned char x, unsigned char y) { return lower(x) == lower(y); });
}

namespace {

char32_t lowerLetter(char32_t c)
{
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    if (c == 0x178)
        return 0xFF;
    // Latin Extended-A pairs capitals with the next code point, on even or odd ones.
    const bool evenPairs = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenPairs && c % 2 == 0) || (oddPairs && c % 2 == 1))
        return c + 1;
    return c;
}

} // namespace

std::string lowerText(std::string_view text)
{
    // Every letter folded here, and its lower case, is two bytes long in UTF-8,
    // so the text keeps its length and is folded in place.
    std::string lowered(text);
    const auto size = lowered.size();
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(lowered[i]);
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z')
                lowered[i] = static_cast<char>(c + ('a' - 'A'));
            continue;
        }
        const auto next = i + 1 < size ? static_cast<unsigned char>(lowered[i + 1]) : 0;
        if ((c & 0xE0) == 0xC0 && (next & 0xC0) == 0x80) {
            const char32_t letter = lowerLetter((static_cast<char32_t>(c & 0x1F) << 6) | (next & 0x3F));
            lowered[i] = static_cast<char>(0xC0 | (letter >> 6));
            lowered[i + 1] = static_cast<char>(0x80 | (letter & 0x3F));
            ++i;
        }
    }
    return lowered;
}

bool equalTextIgnoringCase(std::string_view a, std::string_view b)
{
    return lowerText(a) == lowerText(b);
}

std::optional<std::int64_t> parseWholeNumber(std::string_view text)
{
    const std::string digits = trimmed(text);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::optional<double> parseNumber(std::string_view text)
{
    const std::string digits = trimmed(text);
    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}
