#include "kitchen/GramConversion.h"
#include "kitchen/KitchenTestData.h"
#include "store/Sqlite.h"

#include <gtest/gtest.h>

namespace {

class GramConversionTest : public ::testing::Test {
protected:
    std::unique_ptr<Database> data = openKitchenData();

    GramResult grams(const char* line, std::int32_t ndbNo)
    {
        return gramsFor(readIngredientLine(QString::fromUtf8(line)), measuresOf(data->sqlite(), ndbNo));
    }
    double gramsOf(const char* line, std::int32_t ndbNo)
    {
        const GramResult result = grams(line, ndbNo);
        EXPECT_TRUE(result.grams) << line << ": " << result.reason.toStdString();
        return result.grams.value_or(0);
    }
};

constexpr std::int32_t kButter = 1001;
constexpr std::int32_t kFlour = 20081;
constexpr std::int32_t kEgg = 1123;
constexpr std::int32_t kMilk = 1077;
constexpr std::int32_t kCannedTomatoes = 11531;
constexpr std::int32_t kGarlic = 11215;
constexpr std::int32_t kOnion = 11282;
constexpr std::int32_t kSalt = 2047;
constexpr std::int32_t kHeavyCream = 1053;
constexpr std::int32_t kCelery = 11143;
constexpr std::int32_t kPotato = 11352;
constexpr std::int32_t kSweetPotato = 11507;
constexpr std::int32_t kLemon = 9150;
constexpr std::int32_t kThyme = 2049;
constexpr std::int32_t kBayLeaf = 2004;
constexpr std::int32_t kKale = 11233;
constexpr std::int32_t kTuna = 15121;
constexpr std::int32_t kRoastedChestnuts = 12167;
constexpr std::int32_t kBurgerBun = 18350;
constexpr std::int32_t kLemonJuice = 9152;

TEST_F(GramConversionTest, WeighsEachKindOfUnitByTheFoodTablesOwnMeasures)
{
    EXPECT_NEAR(gramsOf("2 tbsp butter", kButter), 28.4, 1e-9);
    EXPECT_NEAR(gramsOf("1 cup all-purpose flour", kFlour), 125, 1e-9);
    EXPECT_NEAR(gramsOf("2 large eggs", kEgg), 100, 1e-9);
    EXPECT_NEAR(gramsOf("1 (14.5 oz) can diced tomatoes", kCannedTomatoes), 411.1, 0.05);
    EXPECT_NEAR(gramsOf("250 ml whole milk", kMilk), 257.8, 0.05);
    EXPECT_NEAR(gramsOf("3 cloves garlic", kGarlic), 9, 1e-9);
    EXPECT_NEAR(gramsOf("1 medium onion", kOnion), 110, 1e-9);
    EXPECT_NEAR(gramsOf("1 onion", kOnion), 110, 1e-9); // a plain count is a medium one
    EXPECT_NEAR(gramsOf("1 tsp flour", kFlour), 125.0 / 48, 1e-9); // by the ratio to its cup
}

TEST_F(GramConversionTest, AMassAnywhereInTheLineWins)
{
    const GramResult result = grams("1 ½ cups (190 g) all-purpose flour", kFlour);
    EXPECT_EQ(result.grams, 190);
    EXPECT_TRUE(result.stated);
    EXPECT_NEAR(gramsOf("4 oz butter", kButter), 113.398, 0.001);
    EXPECT_NEAR(gramsOf("1 kg flour", kFlour), 1000, 1e-9);
}

TEST_F(GramConversionTest, WeighsAVolumeThroughAServingTheTablesSizeByVolume)
{
    // Vanilla ice cream's one measure is "serving 1/2 cup", 66 g: half a gallon is 16 such servings.
    EXPECT_NEAR(gramsOf("1/2 gallon vanilla ice cream", 19095), 16 * 66, 1e-9);
}

TEST_F(GramConversionTest, UsesTheMeasureOfTheLinesOwnUnitAndItsWords)
{
    const GramResult chopped = grams("1 cup sliced onion", kOnion);
    ASSERT_TRUE(chopped.measure);
    EXPECT_EQ(chopped.measure->description, "cup, sliced");
    EXPECT_EQ(chopped.measureCount, 1);
    EXPECT_EQ(chopped.grams, 115);
    // Cream is poured unless the line whips it: a cup of it whipped weighs half as much.
    EXPECT_EQ(gramsOf("1 cup heavy cream", kHeavyCream), 238);
    EXPECT_EQ(gramsOf("1 cup heavy cream, whipped", kHeavyCream), 120);
    // "can (12.5 oz), drained" shares "drained" with the line but is a can of a size the line
    // does not give: the plain "can" is the one meant.
    EXPECT_EQ(gramsOf("1/2 can tuna, drained", kTuna), 82.5);
    // Nuts counted by the kernel: "10 kernels" weighs 84 g.
    EXPECT_NEAR(gramsOf("15 chestnuts", kRoastedChestnuts), 15 * 8.4, 1e-9);
    // Buns counted by the roll: "roll 1 serving" weighs one.
    EXPECT_EQ(gramsOf("2 burger buns", kBurgerBun), 88);
}

TEST_F(GramConversionTest, CountsBySizeKinUnitOrUsualWeightWhenTheLineNamesNoMeasureOfTheFood)
{
    // The medium measure when the line names no size; the food's own sized measure when it does.
    EXPECT_EQ(gramsOf("3 celery stalks", kCelery), 3 * 40);
    EXPECT_EQ(gramsOf("2 large celery stalks", kCelery), 2 * 64);
    EXPECT_EQ(gramsOf("2 sticks celery", kCelery), 2 * 40);
    EXPECT_EQ(gramsOf("3 large russet potatoes", kPotato), 3 * 369);
    EXPECT_EQ(gramsOf("2 potatoes", kPotato), 2 * 213);
    // A size the food has no measure of counts the whole item: "sweetpotato, 5\" long".
    EXPECT_EQ(gramsOf("2 large sweet potatoes", kSweetPotato), 2 * 130);
    EXPECT_EQ(gramsOf("1 medium lemon", kLemon), 58);
    EXPECT_EQ(gramsOf("juice of 2 lemons", kLemonJuice), 2 * 48);
    // A sprig, a leaf and a handful by their usual weight.
    EXPECT_EQ(gramsOf("4 sprigs fresh thyme", kThyme), 4);
    EXPECT_NEAR(gramsOf("2 bay leaves", kBayLeaf), 0.4, 1e-9);
    EXPECT_EQ(gramsOf("a handful of kale", kKale), 30);
}

TEST_F(GramConversionTest, NeverInventsGrams)
{
    EXPECT_EQ(grams("salt to taste", kSalt).reason, "no amount in the line");
    EXPECT_FALSE(grams("salt to taste", kSalt).grams);
    const GramResult noCup = grams("1 cup diced tomatoes", kCannedTomatoes);
    if (!noCup.grams) {
        EXPECT_EQ(noCup.reason, "no volume measure for this food");
    }
    EXPECT_EQ(grams("2 slices garlic", kGarlic).reason, "no \"slice\" measure for this food");
    EXPECT_FALSE(gramsFor(readIngredientLine(QStringLiteral("2 cups flour")), {}).grams);
    EXPECT_EQ(gramsFor(readIngredientLine(QStringLiteral("2 cups flour")), {}).reason, "no volume measure for this food");
}

TEST_F(GramConversionTest, RefusesAmountsOutsideTheRule)
{
    for (const char* line : {"-2 cups flour", "0 g flour", "1000 kg flour", "99999999999999999999 cups flour",
                             "1e308 cups flour"}) {
        const GramResult result = grams(line, kFlour);
        if (result.grams) {
            EXPECT_GT(*result.grams, 0) << line;
            EXPECT_LE(*result.grams, kMostGramsPerLine) << line;
        } else {
            EXPECT_EQ(result.reason, kAmountRule) << line;
        }
    }
    EXPECT_EQ(grams("-2 cups flour", kFlour).reason, kAmountRule);
    EXPECT_EQ(grams("0 g flour", kFlour).reason, kAmountRule);
    EXPECT_EQ(grams("101 kg flour", kFlour).reason, kAmountRule);
    EXPECT_NEAR(gramsOf("100 kg flour", kFlour), 100000, 1e-9);
}

} // namespace
