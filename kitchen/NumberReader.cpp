#include "kitchen/NumberReader.h"

#include <QString>

#include <array>
#include <cmath>
#include <initializer_list>
#include <string_view>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isDigitAt(QStringView text, qsizetype at)
{
    return at < text.size() && isAsciiDigit(text[at]);
}

qsizetype digitsEnd(QStringView text, qsizetype at)
{
    while (isDigitAt(text, at))
        ++at;
    return at;
}

bool isFractionSlash(QChar c)
{
    return c == u'/' || c == u'\u2044' || c == u'\u2215';
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber();
}

// Up to 15 digits are exact in a double, and so is their quotient by a power of ten up to 10^22:
// such a number is read without the locale-aware parser.
constexpr qsizetype kExactDigits = 15;

// The value of the digits of `parts` read as one run whose last `decimals` stand after the point,
// times ten to the `exponent` ("e3") when there is one.
double digitsValue(std::initializer_list<QStringView> parts, qsizetype decimals, QStringView exponent = {})
{
    qsizetype count = 0;
    for (QStringView part : parts)
        count += part.size();
    if (count > kExactDigits || !exponent.isEmpty()) {
        QString written;
        for (QStringView part : parts)
            written += part;
        if (decimals > 0)
            written.insert(written.size() - decimals, u'.');
        written += exponent;
        return written.toDouble();
    }
    std::int64_t mantissa = 0;
    for (QStringView part : parts)
        for (QChar c : part)
            mantissa = mantissa * 10 + (c.unicode() - u'0');
    static constexpr std::array<double, kExactDigits + 1> powers{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    return double(mantissa) / powers[std::size_t(decimals)];
}

// "3/4" at `at`: its value and end, when the denominator is no zero.
std::optional<NumberRead> readSlashFraction(QStringView text, qsizetype at)
{
    const qsizetype numeratorEnd = digitsEnd(text, at);
    if (numeratorEnd == at || numeratorEnd >= text.size())
        return std::nullopt;
    // "1 /2": a slash typed after a space still makes one digit a numerator.
    qsizetype slash = numeratorEnd;
    if (text[slash] == u' ' && numeratorEnd - at == 1 && slash + 2 < text.size() && text[slash + 1] == u'/'
        && isDigitAt(text, slash + 2))
        ++slash;
    if (!isFractionSlash(text[slash]))
        return std::nullopt;
    const qsizetype denominatorEnd = digitsEnd(text, slash + 1);
    if (denominatorEnd == slash + 1)
        return std::nullopt;
    const QStringView numeratorDigits = text.sliced(at, numeratorEnd - at);
    const QStringView denominatorDigits = text.sliced(slash + 1, denominatorEnd - slash - 1);
    const double numerator = digitsValue({numeratorDigits}, 0);
    const double denominator = digitsValue({denominatorDigits}, 0);
    if (denominator == 0 || !std::isfinite(numerator) || !std::isfinite(denominator))
        return std::nullopt;
    // "21/2" is "2 1/2" with its space lost: cooks write mixed numbers, never improper fractions.
    const int last = numeratorDigits.back().unicode() - u'0';
    if (numeratorDigits.size() == 2 && (denominator == 2 || denominator == 3 || denominator == 4 || denominator == 8)
        && last > 0 && last < denominator)
        return NumberRead{double(numeratorDigits.front().unicode() - u'0') + last / denominator, denominatorEnd};
    return NumberRead{numerator / denominator, denominatorEnd};
}

// The fraction part of a mixed number after its whole part: " 1/2", "-1/2", "½", " ½".
std::optional<NumberRead> readFractionPart(QStringView text, qsizetype at)
{
    if (at >= text.size())
        return std::nullopt;
    if (auto fraction = vulgarFraction(text[at]))
        return NumberRead{*fraction, at + 1};
    const QChar joiner = text[at];
    if (joiner != u' ' && joiner != u'-')
        return std::nullopt;
    if (at + 1 < text.size()) {
        if (auto fraction = vulgarFraction(text[at + 1]))
            return NumberRead{*fraction, at + 2};
    }
    // Only a proper fraction makes a mixed number: "1-2" is a range, "1 2/3" one and two thirds.
    if (auto fraction = readSlashFraction(text, at + 1); fraction && fraction->value < 1)
        return fraction;
    return std::nullopt;
}

std::optional<NumberRead> readDigits(QStringView text, qsizetype at)
{
    qsizetype end = digitsEnd(text, at);
    if (end == at) // ".5"
        if (!(at + 1 < text.size() && text[at] == u'.' && isDigitAt(text, at + 1)))
            return std::nullopt;
    if (auto fraction = readSlashFraction(text, at))
        return fraction;
    const QStringView wholeDigits = text.sliced(at, end - at);
    QStringView groupDigits;
    qsizetype decimals = 0;
    if (end + 1 < text.size() && (text[end] == u'.' || text[end] == u',') && isDigitAt(text, end + 1)) {
        const qsizetype groupEnd = digitsEnd(text, end + 1);
        groupDigits = text.sliced(end + 1, groupEnd - end - 1);
        const bool thousands = text[end] == u',' && groupDigits.size() == 3 && wholeDigits.size() <= 3;
        decimals = thousands ? 0 : groupDigits.size();
        end = groupEnd;
    }
    // "1e308": no cook writes it, but whoever does gets the number it says, and the amount rule.
    QStringView exponent;
    if (end + 1 < text.size() && (text[end] == u'e' || text[end] == u'E') && isDigitAt(text, end + 1)) {
        const qsizetype exponentEnd = digitsEnd(text, end + 1);
        if (exponentEnd == text.size() || !text[exponentEnd].isLetter()) {
            exponent = text.sliced(end, exponentEnd - end);
            end = exponentEnd;
        }
    }
    const double whole = digitsValue({wholeDigits, groupDigits}, decimals, exponent);
    if (!std::isfinite(whole))
        return std::nullopt;
    if (auto fraction = readFractionPart(text, end))
        return NumberRead{whole + fraction->value, fraction->end};
    return NumberRead{whole, end};
}

struct NumberWord {
    const char16_t* word;
    double value;
};

constexpr NumberWord kNumberWords[] = {
    {u"one", 1},   {u"two", 2},    {u"three", 3},   {u"four", 4},   {u"five", 5},      {u"six", 6},
    {u"seven", 7}, {u"eight", 8},  {u"nine", 9},    {u"ten", 10},   {u"eleven", 11},   {u"twelve", 12},
    {u"half", 0.5}, {u"quarter", 0.25}, {u"dozen", 12}, {u"couple", 2},
};

std::optional<NumberRead> readNumberWord(QStringView text, qsizetype at)
{
    qsizetype end = at;
    while (end < text.size() && text[end].isLetter())
        ++end;
    if (end == at || end - at > 7)
        return std::nullopt;
    // Folded into a buffer once rather than compared without case sixteen times.
    std::array<char16_t, 7> buffer;
    for (qsizetype i = at; i < end; ++i)
        buffer[std::size_t(i - at)] = text[i].toLower().unicode();
    const std::u16string_view word(buffer.data(), std::size_t(end - at));
    for (const NumberWord& number : kNumberWords) {
        if (word != number.word)
            continue;
        double value = number.value;
        // "one and a half", "two dozen"
        constexpr QStringView andAHalf = u" and a half";
        if (text.sliced(end).startsWith(andAHalf, Qt::CaseInsensitive)) {
            value += 0.5;
            end += andAHalf.size();
        } else if (value >= 1 && value <= 12 && text.sliced(end).startsWith(u" dozen", Qt::CaseInsensitive)) {
            value *= 12;
            end += 6;
        }
        return NumberRead{value, end};
    }
    return std::nullopt;
}

} // namespace

std::optional<double> vulgarFraction(QChar c)
{
    switch (c.unicode()) {
    case 0x00BC: return 1.0 / 4;
    case 0x00BD: return 1.0 / 2;
    case 0x00BE: return 3.0 / 4;
    case 0x2150: return 1.0 / 7;
    case 0x2151: return 1.0 / 9;
    case 0x2152: return 1.0 / 10;
    case 0x2153: return 1.0 / 3;
    case 0x2154: return 2.0 / 3;
    case 0x2155: return 1.0 / 5;
    case 0x2156: return 2.0 / 5;
    case 0x2157: return 3.0 / 5;
    case 0x2158: return 4.0 / 5;
    case 0x2159: return 1.0 / 6;
    case 0x215A: return 5.0 / 6;
    case 0x215B: return 1.0 / 8;
    case 0x215C: return 3.0 / 8;
    case 0x215D: return 5.0 / 8;
    case 0x215E: return 7.0 / 8;
    case 0x2189: return 0.0;
    default: return std::nullopt;
    }
}

std::optional<NumberRead> readNumber(QStringView text, qsizetype at)
{
    if (at >= text.size())
        return std::nullopt;
    // A number glued to the word before it ("x2") is part of that word.
    if (at > 0 && text[at - 1].isLetter() && isAsciiDigit(text[at]))
        return std::nullopt;
    if (auto fraction = vulgarFraction(text[at]))
        return NumberRead{*fraction, at + 1};
    if (auto number = readDigits(text, at))
        return number;
    if (text[at].isLetter() && (at == 0 || !isWordCharacter(text[at - 1])))
        return readNumberWord(text, at);
    return std::nullopt;
}
