#include "kitchen/Units.h"

#include <QHash>

#include <array>

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

const std::array<UnitFacts, 49>& allUnits()
{
    static const std::array<UnitFacts, 49> units{{
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
        {Unit::Piece, UnitKind::Count, "piece", 0, "pc|pcs"},
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

const QHash<QString, Unit>& spellingIndex()
{
    static const QHash<QString, Unit> index = [] {
        QHash<QString, Unit> spellings;
        for (const UnitFacts& facts : allUnits()) {
            Q_ASSERT(&factsOf(facts.unit) == &facts);
            spellings.insert(QString::fromLatin1(facts.name), facts.unit);
            const QString others = QString::fromLatin1(facts.spellings);
            for (const QString& spelling : others.split(u'|', Qt::SkipEmptyParts))
                spellings.insert(spelling, facts.unit);
        }
        return spellings;
    }();
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
    if (text.isEmpty())
        return std::nullopt;
    if (text == u"t")
        return Unit::Teaspoon;
    if (text == u"T")
        return Unit::Tablespoon;
    const QString lower = text.toString().toLower().simplified();
    const QHash<QString, Unit>& index = spellingIndex();
    if (auto found = index.constFind(lower); found != index.constEnd())
        return *found;
    // Plurals: "cups", "pinches", "bunches"; never for one- or two-letter abbreviations.
    if (lower.size() > 3 && lower.endsWith(u"es"))
        if (auto found = index.constFind(lower.chopped(2)); found != index.constEnd())
            return *found;
    if (lower.size() > 2 && lower.endsWith(u's'))
        if (auto found = index.constFind(lower.chopped(1)); found != index.constEnd())
            return *found;
    return std::nullopt;
}
