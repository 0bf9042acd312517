#include "Text.h"

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
