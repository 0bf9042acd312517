#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The units cooks write, each with the one quantity it measures. Mass and volume
// units convert by fixed ratios; counts and sizes only through a food's own measures.
enum class UnitKind { Mass, Volume, Count, Size };

enum class Unit {
    Milligram, Gram, Kilogram, Ounce, Pound,
    Millilitre, Centilitre, Decilitre, Litre, Teaspoon, Tablespoon, Cup, FluidOunce, Pint, Quart, Gallon,
    Dash, Pinch, Drop,
    Clove, Slice, Piece, Stick, Can, Jar, Bottle, Package, Bag, Box, Container, Envelope, Bunch, Sprig, Head,
    Stalk, Leaf, Handful, Sheet, Strip, Fillet, Ear, Cube, Inch, Knob, Bulb, Stem, Splash, Scoop, Loaf, Wedge, Block,
    Small, Medium, Large, ExtraLarge, Jumbo,
};

UnitKind unitKind(Unit unit);
// One canonical name per unit ("cup", "tbsp", "g", "clove", "large").
QString unitName(Unit unit);
// Grams in one mass unit; 0 for any other kind.
double gramsPerUnit(Unit unit);
// Millilitres in one volume unit (US measures, the ones the food tables use); 0 for any other kind.
double millilitresPerUnit(Unit unit);

// A unit as written: "cups", "Tbsp.", "fl oz", "tins", "lg". Case matters only for the
// one-letter spoons ("t" is a teaspoon, "T" a tablespoon).
std::optional<Unit> unitFromText(QStringView written);
