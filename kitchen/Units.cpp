#include "kitchen/Units.h"

#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

struct UnitFacts {
    Unit unit;
    UnitKind kind;
    const char* name;
    double base; // grams or millilitres per unit
    // Every spelling but the canonical name, in lower case, "|" between them; plurals
    // in "s"/"es" are found by rule.
    const char* spellings;
};

constexpr double kCup = 236.5882365;
constexpr double kTablespoon = kCup / 16;
constexpr double kTeaspoon = kCup / 48;
constexpr double kFluidOunce = kCup / 8;

const std::array<UnitFacts, 56>& allUnits()
{
    static const std::array<UnitFacts, 56> units{{
        {Unit::Milligram, UnitKind::Mass, "mg", 0.001, "milligram|milligramme"},
        {Unit::Gram, UnitKind::Mass, "g", 1, "gram|gramme|gr|grm|gm"},
        {Unit::Kilogram, UnitKind::Mass, "kg", 1000, "kilogram|kilogramme|kilo|kgs"},
        {Unit::Ounce, UnitKind::Mass, "oz", 28.349523125, "ounce|ozs"},
        {Unit::Pound, UnitKind::Mass, "lb", 453.59237, "pound|lbs"},
        {Unit::Millilitre, UnitKind::Volume, "ml", 1, "millilitre|milliliter|mls|cc"},
        {Unit::Centilitre, UnitKind::Volume, "cl", 10, "centilitre|centiliter"},
        {Unit::Decilitre, UnitKind::Volume, "dl", 100, "decilitre|deciliter"},
        {Unit::Litre, UnitKind::Volume, "l", 1000, "litre|liter|ltr|lt"},
        {Unit::Teaspoon, UnitKind::Volume, "tsp", kTeaspoon, "teaspoon|tsps|teasp|tspn"},
        {Unit::Tablespoon, UnitKind::Volume, "tbsp", kTablespoon,
         "tablespoon|tbsps|tbs|tbl|tbls|tblsp|tablesp|tbsn|tbspn"},
        {Unit::Cup, UnitKind::Volume, "cup", kCup, "c"},
        {Unit::FluidOunce, UnitKind::Volume, "fl oz", kFluidOunce,
         "fl. oz|fl.oz|floz|fl ounce|fluid ounce"},
        {Unit::Pint, UnitKind::Volume, "pint", 2 * kCup, "pt|pts"},
        {Unit::Quart, UnitKind::Volume, "quart", 4 * kCup, "qt|qts"},
        {Unit::Gallon, UnitKind::Volume, "gallon", 16 * kCup, "gal"},
        // The small measures as kitchen sets size them.
        {Unit::Dash, UnitKind::Volume, "dash", kTeaspoon / 8, ""},
        {Unit::Pinch, UnitKind::Volume, "pinch", kTeaspoon / 16, ""},
        {Unit::Drop, UnitKind::Volume, "drop", 0.05, ""},
        {Unit::Clove, UnitKind::Count, "clove", 0, ""},
        {Unit::Slice, UnitKind::Count, "slice", 0, ""},
        {Unit::Piece, UnitKind::Count, "piece", 0, "pc|pcs|chunk"},
        {Unit::Stick, UnitKind::Count, "stick", 0, ""},
        {Unit::Can, UnitKind::Count, "can", 0, "tin"},
        {Unit::Jar, UnitKind::Count, "jar", 0, ""},
        {Unit::Bottle, UnitKind::Count, "bottle", 0, ""},
        {Unit::Package, UnitKind::Count, "package", 0, "packet|pack|pkg|pkgs|pkt"},
        {Unit::Bag, UnitKind::Count, "bag", 0, ""},
        {Unit::Box, UnitKind::Count, "box", 0, ""},
        {Unit::Container, UnitKind::Count, "container", 0, "tub|carton"},
        {Unit::Envelope, UnitKind::Count, "envelope", 0, "sachet"},
        {Unit::Bunch, UnitKind::Count, "bunch", 0, ""},
        {Unit::Sprig, UnitKind::Count, "sprig", 0, ""},
        {Unit::Head, UnitKind::Count, "head", 0, ""},
        {Unit::Stalk, UnitKind::Count, "stalk", 0, "rib"},
        {Unit::Leaf, UnitKind::Count, "leaf", 0, "leaves"},
        {Unit::Handful, UnitKind::Count, "handful", 0, ""},
        {Unit::Sheet, UnitKind::Count, "sheet", 0, ""},
        {Unit::Strip, UnitKind::Count, "strip", 0, ""},
        {Unit::Fillet, UnitKind::Count, "fillet", 0, "filet"},
        {Unit::Ear, UnitKind::Count, "ear", 0, ""},
        {Unit::Cube, UnitKind::Count, "cube", 0, ""},
        {Unit::Inch, UnitKind::Count, "inch", 0, "inches"},
        {Unit::Knob, UnitKind::Count, "knob", 0, ""},
        {Unit::Bulb, UnitKind::Count, "bulb", 0, ""},
        {Unit::Stem, UnitKind::Count, "stem", 0, ""},
        // No spoon set sizes a splash, so only a food's own measure weighs one.
        {Unit::Splash, UnitKind::Count, "splash", 0, ""},
        {Unit::Scoop, UnitKind::Count, "scoop", 0, ""},
        {Unit::Loaf, UnitKind::Count, "loaf", 0, "loaves"},
        {Unit::Wedge, UnitKind::Count, "wedge", 0, ""},
        {Unit::Block, UnitKind::Count, "block", 0, ""},
        {Unit::Small, UnitKind::Size, "small", 0, "sm"},
        {Unit::Medium, UnitKind::Size, "medium", 0, "med|md"},
        {Unit::Large, UnitKind::Size, "large", 0, "lg|lrg"},
        {Unit::ExtraLarge, UnitKind::Size, "extra-large", 0, "extra large|x-large|xl"},
        {Unit::Jumbo, UnitKind::Size, "jumbo", 0, ""},
    }};
    return units;
}

const UnitFacts& factsOf(Unit unit)
{
    return allUnits()[static_cast<std::size_t>(unit)];
}

// Spellings are short; a longer text is never a unit and is refused before any folding.
constexpr std::size_t kLongestSpelling = 24;

// Every spelling, folded, to its unit. The keys view the spellings kept alongside them.
class SpellingIndex {
public:
    SpellingIndex()
    {
        for (const UnitFacts& facts : allUnits()) {
            Q_ASSERT(&factsOf(facts.unit) == &facts);
            add(facts.name, facts.unit);
            const std::string_view others(facts.spellings);
            for (std::size_t from = 0; from < others.size();) {
                const std::size_t bar = std::min(others.find('|', from), others.size());
                add(others.substr(from, bar - from), facts.unit);
                from = bar + 1;
            }
        }
        for (const auto& [spelling, unit] : owned_)
            units_.emplace(spelling, unit);
    }

    std::optional<Unit> find(std::u16string_view folded) const
    {
        const auto found = units_.find(folded);
        return found == units_.end() ? std::nullopt : std::optional(found->second);
    }

private:
    void add(std::string_view latin1, Unit unit)
    {
        Q_ASSERT(latin1.size() <= kLongestSpelling);
        owned_.emplace_back(std::u16string(latin1.begin(), latin1.end()), unit);
    }

    std::deque<std::pair<std::u16string, Unit>> owned_;
    std::unordered_map<std::u16string_view, Unit> units_;
};

const SpellingIndex& spellingIndex()
{
    static const SpellingIndex index;
    return index;
}

} // namespace

UnitKind unitKind(Unit unit)
{
    return factsOf(unit).kind;
}

QString unitName(Unit unit)
{
    return QString::fromLatin1(factsOf(unit).name);
}

double gramsPerUnit(Unit unit)
{
    return unitKind(unit) == UnitKind::Mass ? factsOf(unit).base : 0;
}

double millilitresPerUnit(Unit unit)
{
    return unitKind(unit) == UnitKind::Volume ? factsOf(unit).base : 0;
}

std::optional<Unit> unitFromText(QStringView written)
{
    QStringView text = written.trimmed();
    while (text.endsWith(u'.'))
        text.chop(1);
    if (text.isEmpty() || std::size_t(text.size()) > kLongestSpelling)
        return std::nullopt;
    if (text == u"t")
        return Unit::Teaspoon;
    if (text == u"T")
        return Unit::Tablespoon;
    // Lower case, one space between words: "Fl  Oz" is "fl oz".
    std::array<char16_t, kLongestSpelling> buffer;
    std::size_t size = 0;
    for (QChar c : text) {
        if (c.isSpace()) {
            if (buffer[size - 1] != u' ')
                buffer[size++] = u' ';
        } else {
            buffer[size++] = c.toLower().unicode();
        }
    }
    const std::u16string_view lower(buffer.data(), size);
    const SpellingIndex& index = spellingIndex();
    if (const auto unit = index.find(lower))
        return unit;
    // Plurals: "cups", "pinches", "bunches"; never for one- or two-letter abbreviations.
    if (lower.size() > 3 && lower.ends_with(u"es"))
        if (const auto unit = index.find(lower.substr(0, lower.size() - 2)))
            return unit;
    if (lower.size() > 2 && lower.ends_with(u's'))
        if (const auto unit = index.find(lower.substr(0, lower.size() - 1)))
            return unit;
    return std::nullopt;
}
