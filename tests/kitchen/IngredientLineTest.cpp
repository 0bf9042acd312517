#include "kitchen/IngredientFields.h"
#include "kitchen/IngredientLine.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

IngredientLine read(const char* text)
{
    return readIngredientLine(QString::fromUtf8(text));
}

struct QuantityCase {
    const char* line;
    double quantity;
    double low;
    double high;
};

TEST(IngredientLineReader, ReadsQuantitiesAsCooksWriteThem)
{
    const QuantityCase cases[] = {
        {"2 cups flour", 2, 2, 2},
        {"1.5 kg potatoes", 1.5, 1.5, 1.5},
        {"1,5 kg potatoes", 1.5, 1.5, 1.5},
        {"1,000 g flour", 1000, 1000, 1000},
        {"1 1/2 cups milk", 1.5, 1.5, 1.5},
        {"1-1/2 cups milk", 1.5, 1.5, 1.5},
        {"1½ cups milk", 1.5, 1.5, 1.5},
        {"1 ½ cups milk", 1.5, 1.5, 1.5},
        {"¾ tsp salt", 0.75, 0.75, 0.75},
        {"⅓ cup sugar", 1.0 / 3, 1.0 / 3, 1.0 / 3},
        {"1⁄2 cup sugar", 0.5, 0.5, 0.5},
        {"2-3 cloves garlic", 2.5, 2, 3},
        {"2–3 cloves garlic", 2.5, 2, 3},
        {"2 to 3 tbsp oil", 2.5, 2, 3},
        {"1 or 2 eggs", 1.5, 1, 2},
        {"one onion", 1, 1, 1},
        {"Twelve eggs", 12, 12, 12},
        {"a dozen eggs", 12, 12, 12},
        {"half a cup of cream", 0.5, 0.5, 0.5},
        {"a pinch of salt", 1, 1, 1},
        {"one and a half cups stock", 1.5, 1.5, 1.5},
        {"0.1 kg rice", 0.1, 0.1, 0.1},
        {".75 cup oats", 0.75, 0.75, 0.75},
        {"12345678901234567890 g salt", 12345678901234567890.0, 12345678901234567890.0, 12345678901234567890.0},
        {"1.5e3 g flour", 1500, 1500, 1500},
        {"ONE CUP MILK", 1, 1, 1},
        // A mixed number that lost its space, alone or in a range.
        {"11/2 cups milk", 1.5, 1.5, 1.5},
        {"2-21/2 pounds beef", 2.25, 2, 2.5},
        {"10/4 cups milk", 2.5, 2.5, 2.5},
    };
    for (const QuantityCase& c : cases) {
        const IngredientLine line = read(c.line);
        ASSERT_TRUE(line.quantity) << c.line;
        EXPECT_NEAR(*line.quantity, c.quantity, 1e-9) << c.line;
        EXPECT_NEAR(*line.rangeLow, c.low, 1e-9) << c.line;
        EXPECT_NEAR(*line.rangeHigh, c.high, 1e-9) << c.line;
    }
    EXPECT_EQ(read("0.1 kg rice").quantity, 0.1); // the nearest double, as the text says
    EXPECT_EQ(read("2.675 kg rice").quantity, 2.675);
    EXPECT_EQ(read("2–3 cloves garlic").quantityText, QString::fromUtf8("2–3"));
    EXPECT_EQ(read("1 ½ cups milk").quantityText, QString::fromUtf8("1 ½"));
}

TEST(IngredientLineReader, ReadsAmountsAndFoodsWrittenLoosely)
{
    // How full the measure is, before its number; a slash typed after a space.
    IngredientLine line = read("Scant 1/2 teaspoon ground ginger");
    EXPECT_EQ(line.quantity, 0.5);
    EXPECT_EQ(line.unit, Unit::Teaspoon);
    EXPECT_EQ(line.food, "ground ginger");
    EXPECT_EQ(read("1 /2 Banana (peeled)").quantity, 0.5);
    EXPECT_EQ(read("1 /2 Banana (peeled)").food, "Banana");
    // A comma between the count and the size of what is counted.
    line = read("1, 9-inch pie crust (homemade or frozen)");
    EXPECT_EQ(line.quantity, 1);
    EXPECT_EQ(line.food, "9-inch pie crust");
    // Doubled brackets around the weight of each can, and "of" after a bracketed amount.
    line = read("2 cans of cinnamon rolls ((12 oz each) )");
    EXPECT_EQ(line.food, "cinnamon rolls");
    EXPECT_NEAR(*line.statedGrams(), 2 * 340.194, 0.001);
    EXPECT_EQ(read("21oz (600g) of farmer's cheese").food, "farmer's cheese");
    // A form's plural, and the food wholly in brackets.
    line = read("1/2 gallon(s) vanilla ice cream, softened");
    EXPECT_EQ(line.unit, Unit::Gallon);
    EXPECT_EQ(line.food, "vanilla ice cream");
    line = read("2/3 cup (60g) (old-fashioned rolled oats)");
    EXPECT_EQ(line.food, "old-fashioned rolled oats");
    EXPECT_EQ(line.statedGrams(), 60);
    // Words before a comma that only say how the food is kept; a choice left to the cook.
    EXPECT_EQ(read("555 g cooked, cold jasmine rice, or any rice of choice").food, "cooked cold jasmine rice");
    EXPECT_EQ(read("1 cup unsweetened, unflavored plant milk").food, "unsweetened unflavored plant milk");
    EXPECT_EQ(read("1 pound breakfast sausage of your choice").food, "breakfast sausage");
}

TEST(IngredientLineReader, ReadsAMultiplierBeforeTheAmount)
{
    const IngredientLine line = read("2 x 400 g tins chopped tomatoes");
    EXPECT_EQ(line.multiplier, 2);
    EXPECT_EQ(line.quantity, 400);
    EXPECT_EQ(line.unit, Unit::Gram);
    EXPECT_DOUBLE_EQ(*line.statedGrams(), 800);
}

TEST(IngredientLineReader, LeavesALineWithoutAmountWithoutQuantity)
{
    for (const char* text : {"salt to taste", "Oil for frying", "a little olive oil", "Fresh basil"}) {
        const IngredientLine line = read(text);
        EXPECT_FALSE(line.quantity) << text;
        EXPECT_FALSE(line.unit) << text;
    }
    EXPECT_EQ(read("salt to taste").food, "salt");
    EXPECT_EQ(read("salt to taste").preparation, "to taste");
}

struct UnitCase {
    const char* line;
    Unit unit;
    const char* written;
};

TEST(IngredientLineReader, ReadsUnitsWithPluralsPeriodsAndSpellings)
{
    const UnitCase cases[] = {
        {"2 cups flour", Unit::Cup, "cups"},       {"1 c. sugar", Unit::Cup, "c."},
        {"1 Tbsp. butter", Unit::Tablespoon, "Tbsp."}, {"1 T butter", Unit::Tablespoon, "T"},
        {"1 t salt", Unit::Teaspoon, "t"},         {"2 teaspoons salt", Unit::Teaspoon, "teaspoons"},
        {"200g butter", Unit::Gram, "g"},          {"1 lb. ground beef", Unit::Pound, "lb."},
        {"2 lbs potatoes", Unit::Pound, "lbs"},    {"8 fl oz cream", Unit::FluidOunce, "fl oz"},
        {"2 fluid ounces rum", Unit::FluidOunce, "fluid ounces"},
        {"500 ml stock", Unit::Millilitre, "ml"},  {"1 litre water", Unit::Litre, "litre"},
        {"1 liter water", Unit::Litre, "liter"},   {"2 dl milk", Unit::Decilitre, "dl"},
        {"1 pint milk", Unit::Pint, "pint"},       {"1 qt stock", Unit::Quart, "qt"},
        {"3 cloves garlic", Unit::Clove, "cloves"}, {"2 tins tomatoes", Unit::Can, "tins"},
        {"1 packet yeast", Unit::Package, "packet"}, {"2 bunches parsley", Unit::Bunch, "bunches"},
        {"4 sprigs thyme", Unit::Sprig, "sprigs"}, {"2 stalks celery", Unit::Stalk, "stalks"},
        {"1 dash Worcestershire sauce", Unit::Dash, "dash"}, {"2 pinches salt", Unit::Pinch, "pinches"},
        {"1 heaping tbsp cocoa", Unit::Tablespoon, "tbsp"},
        {"1 bulb garlic", Unit::Bulb, "bulb"},      {"2 fennel bulbs", Unit::Bulb, "bulbs"},
        {"3 stems lemongrass", Unit::Stem, "stems"}, {"a splash of milk", Unit::Splash, "splash"},
        {"2 scoops ice cream", Unit::Scoop, "scoops"}, {"2 loaves bread", Unit::Loaf, "loaves"},
        {"4 lemon wedges", Unit::Wedge, "wedges"}, {"1 block tofu", Unit::Block, "block"},
        {"2 FL. OZ. cream", Unit::FluidOunce, "FL. OZ."},
        {"3 cups* sweet rice", Unit::Cup, "cups"}, // a footnote mark
    };
    for (const UnitCase& c : cases) {
        const IngredientLine line = read(c.line);
        ASSERT_TRUE(line.unit) << c.line;
        EXPECT_FALSE(line.food.contains(u'*')) << c.line;
        EXPECT_EQ(*line.unit, c.unit) << c.line;
        EXPECT_EQ(line.unitText, QString::fromUtf8(c.written)) << c.line;
    }
}

TEST(Units, ReadsAWrittenUnitWhateverItsCaseSpacingAndPeriods)
{
    EXPECT_EQ(unitFromText(u" Fl   Oz. "), Unit::FluidOunce);
    EXPECT_EQ(unitFromText(u"TBSP."), Unit::Tablespoon);
    EXPECT_EQ(unitFromText(u"T"), Unit::Tablespoon);
    EXPECT_EQ(unitFromText(u"t"), Unit::Teaspoon);
    EXPECT_EQ(unitFromText(u"Bunches"), Unit::Bunch);
    EXPECT_EQ(unitFromText(u"LOAVES"), Unit::Loaf);
    EXPECT_EQ(unitFromText(u"extra large"), Unit::ExtraLarge);
    // Plurals are never found for one- or two-letter abbreviations: "gs" and "cs" are no units.
    EXPECT_FALSE(unitFromText(u"gs"));
    EXPECT_FALSE(unitFromText(u"cs"));
    EXPECT_FALSE(unitFromText(u"..."));
    EXPECT_FALSE(unitFromText(u"tablespoonstablespoonstablespoons"));
    EXPECT_FALSE(unitFromText(u"cupß"));
    for (Unit unit : {Unit::Milligram, Unit::FluidOunce, Unit::Splash, Unit::Block, Unit::ExtraLarge, Unit::Jumbo})
        EXPECT_EQ(unitFromText(unitName(unit)), unit) << qPrintable(unitName(unit));
}

TEST(IngredientLineReader, ReadsSizesApartFromUnits)
{
    IngredientLine line = read("2 large eggs");
    EXPECT_EQ(line.size, Unit::Large);
    EXPECT_FALSE(line.unit);
    EXPECT_EQ(line.food, "eggs");
    line = read("2 large cloves garlic, minced");
    EXPECT_EQ(line.size, Unit::Large);
    EXPECT_EQ(line.unit, Unit::Clove);
    EXPECT_EQ(line.food, "garlic");
    EXPECT_EQ(line.preparation, "minced");
    // A count unit written after the food.
    line = read("2 garlic cloves, peeled");
    EXPECT_EQ(line.unit, Unit::Clove);
    EXPECT_EQ(line.food, "garlic");
    line = read("about 2 cups stock");
    EXPECT_EQ(line.quantity, 2);
    EXPECT_EQ(line.unit, Unit::Cup);
    // A letter that would be a unit on its own is the food's first letter here.
    line = read("2 carrots");
    EXPECT_FALSE(line.unit);
    EXPECT_EQ(line.food, "carrots");
}

TEST(IngredientLineReader, ReadsTheLengthOfPiecesAsTheirSize)
{
    struct Case {
        const char* line;
        double quantity;
        Unit unit;
        const char* sizeText;
        const char* food;
    };
    const Case cases[] = {
        {"1 1-inch piece ginger, grated", 1, Unit::Piece, "1-inch", "ginger"},
        {"2 (2-inch) pieces cinnamon stick", 2, Unit::Piece, "2-inch", "cinnamon stick"},
        {"2-inch piece of ginger", 1, Unit::Piece, "2-inch", "ginger"},
        {"1 2\" piece fresh ginger", 1, Unit::Piece, "2\"", "fresh ginger"},
        // Eight slices half an inch thick, not eight and a half.
        {"8 1/2-inch slices baguette", 8, Unit::Slice, "1/2-inch", "baguette"},
        {"1 3-inch strip lemon zest", 1, Unit::Strip, "3-inch", "lemon zest"},
    };
    for (const Case& c : cases) {
        const IngredientLine line = read(c.line);
        EXPECT_EQ(line.quantity, c.quantity) << c.line;
        EXPECT_EQ(line.unit, c.unit) << c.line;
        EXPECT_EQ(line.sizeText, QString::fromUtf8(c.sizeText)) << c.line;
        EXPECT_EQ(line.size, Unit::Inch) << c.line;
        EXPECT_EQ(line.food, QString::fromUtf8(c.food)) << c.line;
        EXPECT_FALSE(line.statedGrams()) << c.line;
    }
    const IngredientLine metric = read("2 5 cm pieces ginger");
    EXPECT_EQ(metric.quantity, 2);
    EXPECT_EQ(metric.unit, Unit::Piece);
    EXPECT_EQ(metric.sizeText, "5 cm");
    EXPECT_FALSE(metric.size);
    // Without pieces after it, a length is what the line asks for, or a note.
    EXPECT_EQ(read("1 inch ginger").unit, Unit::Inch);
    EXPECT_EQ(read("1 (12-inch) flour tortilla").food, "flour tortilla");
}

TEST(IngredientLineReader, ReadsAlternativeAmounts)
{
    IngredientLine line = read("1 ½ cups (190 g) all-purpose flour, sifted");
    EXPECT_EQ(line.quantity, 1.5);
    EXPECT_EQ(line.unit, Unit::Cup);
    EXPECT_EQ(line.unitText, "cups");
    ASSERT_TRUE(line.alternative);
    EXPECT_EQ(line.alternative->value, 190);
    EXPECT_EQ(line.alternative->unit, Unit::Gram);
    EXPECT_FALSE(line.alternative->perItem);
    EXPECT_EQ(line.food, "all-purpose flour");
    EXPECT_EQ(line.preparation, "sifted");
    EXPECT_DOUBLE_EQ(*line.statedGrams(), 190);

    line = read("150g/5½oz plain flour");
    EXPECT_EQ(line.unit, Unit::Gram);
    ASSERT_TRUE(line.alternative);
    EXPECT_EQ(line.alternative->value, 5.5);
    EXPECT_EQ(line.alternative->unit, Unit::Ounce);
    EXPECT_EQ(line.food, "plain flour");

    line = read("1 cup (240 ml) milk");
    ASSERT_TRUE(line.alternative);
    EXPECT_EQ(line.alternative->unit, Unit::Millilitre);
    EXPECT_EQ(line.food, "milk");

    line = read("1 (14.5 oz) can diced tomatoes");
    EXPECT_EQ(line.unit, Unit::Can);
    ASSERT_TRUE(line.alternative);
    EXPECT_TRUE(line.alternative->perItem);
    EXPECT_NEAR(*line.statedGrams(), 411.07, 0.01);
    EXPECT_EQ(line.food, "tomatoes");
    EXPECT_EQ(line.preparation, "diced");

    line = read("2 15-ounce cans black beans, drained and rinsed");
    EXPECT_EQ(line.quantity, 2);
    EXPECT_EQ(line.unit, Unit::Can);
    EXPECT_NEAR(*line.statedGrams(), 2 * 15 * 28.349523125, 1e-9);
    EXPECT_EQ(line.food, "black beans");

    line = read("2 cans (15 oz each) chickpeas");
    EXPECT_NEAR(*line.statedGrams(), 2 * 15 * 28.349523125, 1e-9);
    EXPECT_EQ(line.food, "chickpeas");

    // A mass that stands after the food is the whole line's.
    line = read("2 medium onions (about 300 g), sliced");
    EXPECT_DOUBLE_EQ(*line.statedGrams(), 300);
    EXPECT_EQ(line.food, "onions");
    line = read("1 butternut squash (about 3 pounds), peeled and cubed");
    EXPECT_FALSE(line.unit);
    EXPECT_DOUBLE_EQ(*line.statedGrams(), 3 * 453.59237);
    EXPECT_EQ(line.food, "butternut squash");
    EXPECT_EQ(line.preparation, "peeled and cubed");
    line = read("3 sweet potatoes (about 8 ounces each)");
    EXPECT_NEAR(*line.statedGrams(), 3 * 8 * 28.349523125, 1e-9);

    // A range of sizes weighs as its middle; "15-ounce" is one size, not a range.
    line = read("1 (15 to 20 oz) can crushed pineapple");
    EXPECT_EQ(line.unit, Unit::Can);
    EXPECT_NEAR(*line.statedGrams(), 17.5 * 28.349523125, 1e-9);
    EXPECT_EQ(line.food, "crushed pineapple");
    line = read("1 10-13 oz bag tortilla chips");
    EXPECT_NEAR(*line.statedGrams(), 11.5 * 28.349523125, 1e-9);
    EXPECT_EQ(line.food, "tortilla chips");
    line = read("2 (15-20 oz) cans chickpeas");
    EXPECT_NEAR(*line.statedGrams(), 2 * 17.5 * 28.349523125, 1e-9);

    // A mass after the comma weighs the line as one in brackets does; anything else there is
    // only a note.
    line = read("1 wild coho salmon, about 1½ lbs");
    EXPECT_DOUBLE_EQ(*line.statedGrams(), 1.5 * 453.59237);
    EXPECT_EQ(line.food, "wild coho salmon");
    line = read("2 chicken breasts, 8 oz each, sliced");
    EXPECT_DOUBLE_EQ(*line.statedGrams(), 2 * 8 * 28.349523125);
    EXPECT_EQ(line.food, "chicken breasts");
    line = read("2 chicken breasts, 8 oz of them sliced");
    EXPECT_FALSE(line.statedGrams());
    line = read("1 onion, diced");
    EXPECT_FALSE(line.statedGrams());
}

TEST(IngredientLineReader, AddsASecondAmountAndReadsTheContainerAfterAnAmount)
{
    IngredientLine line = read("1 1/2 cups plus 3 tablespoons sugar");
    EXPECT_DOUBLE_EQ(*line.quantity, 1.5 + 3.0 / 16);
    EXPECT_EQ(line.unit, Unit::Cup);
    EXPECT_EQ(line.food, "sugar");
    EXPECT_EQ(ingredientFields(line).name, "sugar");
    line = read("2/3 + 1/4 cup chocolate chips");
    EXPECT_NEAR(*line.quantity, 2.0 / 3 + 0.25, 1e-9);
    EXPECT_EQ(line.food, "chocolate chips");
    line = read("1 lb + 4 oz ground beef");
    EXPECT_DOUBLE_EQ(*line.statedGrams(), 20 * 28.349523125);
    // A stick and spoons do not add up without the food's measures: the stick is kept.
    line = read("1 stick + 6 tablespoons unsalted butter");
    EXPECT_EQ(line.quantity, 1);
    EXPECT_EQ(line.unit, Unit::Stick);
    EXPECT_EQ(line.food, "unsalted butter");

    line = read("15 oz can pumpkin puree");
    EXPECT_EQ(line.unit, Unit::Ounce);
    EXPECT_EQ(line.container, Unit::Can);
    EXPECT_EQ(line.food, "pumpkin puree");
    line = read("2 x 400 g / 14 oz tins of plum tomatoes");
    EXPECT_DOUBLE_EQ(*line.statedGrams(), 800);
    EXPECT_EQ(line.container, Unit::Can);
    EXPECT_EQ(line.food, "plum tomatoes");
    line = read("Three 8-ounce (225g) packages cream cheese");
    EXPECT_EQ(line.unit, Unit::Package);
    EXPECT_NEAR(*line.statedGrams(), 3 * 8 * 28.349523125, 1e-9);
    EXPECT_EQ(line.food, "cream cheese");

    // The juice of a fruit is counted by the fruit; a label before the amount is no food.
    line = read("Juice of 1 lemon");
    EXPECT_EQ(line.quantity, 1);
    EXPECT_EQ(line.food, "lemon juice");
    line = read("Optional glaze: 1/2 cup powdered sugar");
    EXPECT_EQ(line.quantity, 0.5);
    EXPECT_EQ(line.unit, Unit::Cup);
    EXPECT_EQ(line.food, "powdered sugar");

    // A pinch or a dash without a number is one.
    line = read("Pinch of salt");
    EXPECT_EQ(line.quantity, 1);
    EXPECT_EQ(line.unit, Unit::Pinch);
    EXPECT_EQ(line.food, "salt");
}

TEST(IngredientLineReader, SeparatesPreparationAndComments)
{
    struct Case {
        const char* line;
        const char* food;
        const char* preparation;
    };
    const Case cases[] = {
        {"1 onion, finely diced", "onion", "finely diced"},
        {"1 cup finely chopped onion", "onion", "finely chopped"},
        {"4 tbsp butter, melted", "butter", "melted"},
        {"2 eggs, at room temperature", "eggs", "at room temperature"},
        {"1 cup sugar, divided", "sugar", "divided"},
        {"chopped parsley (optional)", "parsley", "chopped, optional"},
        {"oil for frying", "oil", "for frying"},
        {"flaky salt, plus more for serving", "flaky salt", "plus more for serving"},
        {"1 lemon - juiced", "lemon", "juiced"},
        // Brackets within brackets are one comment.
        {"1/4 cup lime juice (freshly squeezed (from 2 limes))", "lime juice", "freshly squeezed (from 2 limes)"},
        // Words that only describe the food may stand before a comma.
        {"4 boneless, skinless chicken thighs", "boneless skinless chicken thighs", ""},
        {"1/2 cup sliced, toasted almonds", "toasted almonds", "sliced"},
    };
    for (const Case& c : cases) {
        const IngredientLine line = read(c.line);
        EXPECT_EQ(line.food, QString::fromUtf8(c.food)) << c.line;
        EXPECT_EQ(line.preparation, QString::fromUtf8(c.preparation)) << c.line;
    }
}

TEST(IngredientLineReader, SurvivesBadInput)
{
    const QString longLine = QString(u'9').repeated(5000) + QStringLiteral(" cups ") + QString(u'x').repeated(5000);
    const QString controls = QStringLiteral("2\x01 cups\x7f\t flour\x1b[0m");
    for (const QString& text : {longLine, controls, QStringLiteral("1234567"), QStringLiteral("1e308 cups"),
                                QStringLiteral("-2 cups"), QStringLiteral("0 g"), QString(), QStringLiteral("(((")}) {
        const IngredientLine line = readIngredientLine(text);
        EXPECT_EQ(line.text, text);
        if (line.quantity) {
            EXPECT_TRUE(std::isfinite(*line.quantity));
        }
        if (const auto grams = line.statedGrams()) {
            EXPECT_TRUE(std::isfinite(*grams));
        }
    }
    EXPECT_EQ(readIngredientLine(controls).unit, Unit::Cup);
    EXPECT_EQ(read("-2 cups sugar").quantity, -2);
    EXPECT_EQ(read("- 2 cups sugar").quantity, 2); // a list's bullet
}

} // namespace
