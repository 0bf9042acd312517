#include "kitchen/CookWriting.h"

#include "kitchen/IngredientLine.h"
#include "kitchen/NumberReader.h"

#include <QStringList>

#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace {

enum class Style { Fractions, Whole, Decimal };

Style styleOf(std::optional<Unit> unit)
{
    if (!unit)
        return Style::Fractions;
    switch (*unit) {
    case Unit::Milligram:
    case Unit::Gram:
    case Unit::Millilitre:
    case Unit::Centilitre:
    case Unit::Decilitre:
        return Style::Whole;
    case Unit::Kilogram:
    case Unit::Litre:
        return Style::Decimal;
    default:
        return Style::Fractions;
    }
}

QString trimmedDecimal(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

struct Fraction {
    double value;
    QChar glyph;
};

// Eighths and thirds: the fractions on a cook's measuring cups and spoons.
constexpr std::array<Fraction, 9> kFractions{{{1.0 / 8, u'⅛'},
                                              {1.0 / 4, u'¼'},
                                              {1.0 / 3, u'⅓'},
                                              {3.0 / 8, u'⅜'},
                                              {1.0 / 2, u'½'},
                                              {5.0 / 8, u'⅝'},
                                              {2.0 / 3, u'⅔'},
                                              {3.0 / 4, u'¾'},
                                              {7.0 / 8, u'⅞'}}};

QString inFractions(double value)
{
    double whole = std::floor(value);
    const double rest = value - whole;
    // Nearest of nothing, the fractions, and the next whole number.
    const Fraction* best = nullptr;
    double bestDistance = rest;
    for (const Fraction& fraction : kFractions)
        if (std::abs(rest - fraction.value) < bestDistance) {
            best = &fraction;
            bestDistance = std::abs(rest - fraction.value);
        }
    if (1 - rest < bestDistance) {
        best = nullptr;
        whole += 1;
    }
    if (whole == 0 && !best)
        best = &kFractions.front(); // a pinch of something is still something
    QString text;
    if (whole > 0)
        text = QString::number(whole, 'f', 0);
    if (best) {
        if (!text.isEmpty())
            text += u' ';
        text += best->glyph;
    }
    return text;
}

// Full unit words agree with their number: "1 cup", "2 cups", "½ cup".
struct UnitWord {
    const char16_t* singular;
    const char16_t* plural;
};

constexpr std::array<UnitWord, 36> kUnitWords{{
    {u"cup", u"cups"},         {u"tablespoon", u"tablespoons"}, {u"teaspoon", u"teaspoons"},
    {u"clove", u"cloves"},     {u"slice", u"slices"},           {u"piece", u"pieces"},
    {u"stick", u"sticks"},     {u"can", u"cans"},               {u"tin", u"tins"},
    {u"jar", u"jars"},         {u"bottle", u"bottles"},         {u"package", u"packages"},
    {u"packet", u"packets"},   {u"bag", u"bags"},               {u"box", u"boxes"},
    {u"envelope", u"envelopes"}, {u"sprig", u"sprigs"},         {u"head", u"heads"},
    {u"stalk", u"stalks"},     {u"leaf", u"leaves"},            {u"handful", u"handfuls"},
    {u"sheet", u"sheets"},     {u"strip", u"strips"},           {u"fillet", u"fillets"},
    {u"cube", u"cubes"},       {u"pound", u"pounds"},           {u"ounce", u"ounces"},
    {u"pint", u"pints"},       {u"quart", u"quarts"},           {u"gallon", u"gallons"},
    {u"inch", u"inches"},      {u"pinch", u"pinches"},          {u"dash", u"dashes"},
    {u"bunch", u"bunches"},    {u"loaf", u"loaves"},            {u"litre", u"litres"},
}};

} // namespace

QString agreeingUnit(const QString& unitText, double count)
{
    static const std::vector<std::pair<QString, QString>> words = [] {
        std::vector<std::pair<QString, QString>> made;
        for (const UnitWord& word : kUnitWords)
            made.emplace_back(QString::fromUtf16(word.singular), QString::fromUtf16(word.plural));
        return made;
    }();
    const bool plural = std::round(count * 8) / 8 > 1; // as the amount is written: "1" for 1.04
    for (const auto& [singular, pluralForm] : words) {
        if (unitText.compare(singular, Qt::CaseInsensitive) != 0 && unitText.compare(pluralForm, Qt::CaseInsensitive) != 0)
            continue;
        QString result = plural ? pluralForm : singular;
        if (unitText.front().isUpper())
            result.front() = result.front().toUpper();
        return result;
    }
    return unitText;
}

namespace {

// Scales the whole line's alternative amount, "(190 g)" or "/ 6 oz", when it gives one.
void scaleAlternative(QString& text, const IngredientLine& line, qsizetype from, double factor)
{
    if (!line.alternative || line.alternative->perItem)
        return;
    const AlternativeAmount& alternative = *line.alternative;
    for (qsizetype at = from; at < text.size(); ++at) {
        if (!text[at].isDigit() || (at > 0 && (text[at - 1].isDigit() || text[at - 1] == u'.' || text[at - 1] == u',')))
            continue;
        const auto number = readNumber(text, at);
        if (!number || std::abs(number->value - alternative.value) > 1e-9 * std::max(1.0, alternative.value))
            continue;
        qsizetype unitStart = number->end;
        while (unitStart < text.size() && text[unitStart] == u' ')
            ++unitStart;
        qsizetype unitEnd = unitStart;
        while (unitEnd < text.size() && (text[unitEnd].isLetter() || text[unitEnd] == u'.'))
            ++unitEnd;
        const auto unit = unitFromText(QStringView(text).sliced(unitStart, unitEnd - unitStart));
        if (unit != alternative.unit)
            continue;
        text.replace(at, number->end - at, cookQuantity(alternative.value * factor, alternative.unit));
        return;
    }
}

} // namespace

QString cookQuantity(double value, std::optional<Unit> unit)
{
    switch (styleOf(unit)) {
    case Style::Whole:
        if (value >= 0.95 || value == 0)
            return QString::number(std::round(value), 'f', 0);
        return trimmedDecimal(value, value >= 0.095 ? 1 : 2); // a pinch of saffron in grams
    case Style::Decimal:
        return trimmedDecimal(value, 2);
    case Style::Fractions:
        break;
    }
    return inFractions(value);
}

QString scaleIngredientLine(const QString& written, double factor)
{
    const IngredientLine line = readIngredientLine(written);
    if (!line.quantity || line.quantityText.isEmpty())
        return written;
    const qsizetype start = written.indexOf(line.quantityText);
    if (start < 0)
        return written;
    const double low = line.rangeLow.value_or(*line.quantity) * factor;
    const double high = line.rangeHigh.value_or(*line.quantity) * factor;
    QString amount = cookQuantity(low, line.unit);
    if (high != low)
        amount += u'-' + cookQuantity(high, line.unit);

    QString text = written;
    text.replace(start, line.quantityText.size(), amount);
    qsizetype after = start + amount.size();
    if (!line.unitText.isEmpty()) {
        const qsizetype unitAt = text.indexOf(line.unitText, after);
        if (unitAt >= 0 && text.sliced(after, unitAt - after).trimmed().isEmpty()) {
            const QString unitWord = agreeingUnit(line.unitText, high * line.multiplier);
            text.replace(unitAt, line.unitText.size(), unitWord);
            after = unitAt + unitWord.size();
        }
    }
    scaleAlternative(text, line, after, factor);
    return text;
}

std::string lineFromFields(const std::optional<double>& quantity, const std::string& unit, const std::string& name)
{
    QStringList parts;
    const QString unitText = QString::fromStdString(unit);
    if (quantity)
        parts.append(cookQuantity(*quantity, unitFromText(unitText)));
    if (!unitText.isEmpty())
        parts.append(quantity ? agreeingUnit(unitText, *quantity) : unitText);
    if (!name.empty())
        parts.append(QString::fromStdString(name));
    return parts.join(u' ').toStdString();
}
