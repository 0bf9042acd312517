#include "kitchen/IngredientLinker.h"
#include "kitchen/KitchenTestData.h"
#include "store/Sqlite.h"

#include <gtest/gtest.h>

namespace {

class IngredientLinkerTest : public ::testing::Test {
protected:
    std::unique_ptr<Database> data = openKitchenData();
    IngredientLinker linker{*data};
};

TEST_F(IngredientLinkerTest, ProposesInGramsWhenTheLineGivesAMass)
{
    const LinkProposal proposal = linker.propose(QString::fromUtf8("1 ½ cups (190 g) all-purpose flour, sifted"));
    ASSERT_TRUE(proposal.link);
    EXPECT_EQ(proposal.link->ndbNo, 20081);
    EXPECT_TRUE(proposal.link->byGram);
    EXPECT_EQ(proposal.link->quantity, 190);
    EXPECT_EQ(proposal.link->weightInGram, 190);
    // The dialog keeps the measure it shows: the food's first.
    EXPECT_TRUE(proposal.link->weightId);
    EXPECT_TRUE(proposal.confident);
}

TEST_F(IngredientLinkerTest, ProposesByMeasureWhenAMeasureOfTheLineFits)
{
    const LinkProposal proposal = linker.propose(QStringLiteral("2 tbsp butter, softened"));
    ASSERT_TRUE(proposal.link) << proposal.reason.toStdString();
    EXPECT_EQ(proposal.link->ndbNo, 1001);
    EXPECT_FALSE(proposal.link->byGram);
    EXPECT_EQ(proposal.link->quantity, 2);
    EXPECT_EQ(proposal.link->measure, "tbsp");
    EXPECT_NEAR(proposal.link->weightInGram, 28.4, 1e-9);
    auto check = data->sqlite().prepare(R"(SELECT "Msre_Desc", "NDB_No" FROM "WEIGHT.db" WHERE "Weight_ID" = ?1)");
    check.bindInt(1, *proposal.link->weightId);
    ASSERT_TRUE(check.step());
    EXPECT_EQ(check.columnText(0), "tbsp");
    EXPECT_EQ(check.columnInt(1), 1001);

    const LinkProposal eggs = linker.propose(QStringLiteral("2 large eggs"));
    ASSERT_TRUE(eggs.link);
    EXPECT_FALSE(eggs.link->byGram);
    EXPECT_EQ(eggs.link->measure, "large");
    EXPECT_EQ(eggs.link->weightInGram, 100);
}

TEST_F(IngredientLinkerTest, TakesACannedFoodForACan)
{
    const LinkProposal proposal = linker.propose(QStringLiteral("1 (14.5 oz) can diced tomatoes"));
    ASSERT_FALSE(proposal.candidates.empty());
    EXPECT_EQ(proposal.candidates.front().ndbNo, 11531);
    ASSERT_TRUE(proposal.link);
    EXPECT_TRUE(proposal.link->byGram);
    EXPECT_NEAR(proposal.link->quantity, 411.1, 0.05);
}

TEST_F(IngredientLinkerTest, TakesTheFoodAsNamedForACanWhenNoCannedFoodIsSure)
{
    const LinkProposal cola = linker.propose(QStringLiteral("1 can cola"));
    ASSERT_TRUE(cola.link) << cola.reason.toStdString();
    EXPECT_EQ(cola.link->ndbNo, 14148);
    EXPECT_NEAR(cola.link->weightInGram, 370, 1e-9);
    EXPECT_TRUE(cola.confident);
}

TEST_F(IngredientLinkerTest, ProposesConvertedGramsThroughAnotherVolumeMeasure)
{
    const LinkProposal proposal = linker.propose(QStringLiteral("250 ml whole milk"));
    ASSERT_TRUE(proposal.link);
    EXPECT_TRUE(proposal.link->byGram);
    EXPECT_NEAR(proposal.link->quantity, 257.8, 0.05);
    EXPECT_EQ(proposal.link->quantity, proposal.link->weightInGram);
}

TEST_F(IngredientLinkerTest, LeavesLinesWithoutGramsUnlinkedAndSaysWhy)
{
    LinkProposal proposal = linker.propose(QStringLiteral("salt to taste"));
    EXPECT_EQ(proposal.candidates.front().ndbNo, 2047);
    EXPECT_FALSE(proposal.link);
    EXPECT_FALSE(proposal.confident);
    EXPECT_EQ(proposal.reason, "no amount in the line");
    proposal = linker.propose(QStringLiteral("2 cups unobtainium"));
    EXPECT_TRUE(proposal.candidates.empty());
    EXPECT_FALSE(proposal.link);
    EXPECT_FALSE(proposal.reason.isEmpty());
    proposal = linker.propose(QStringLiteral("1e308 cups sugar"));
    if (proposal.link) {
        EXPECT_LE(proposal.link->weightInGram, kMostGramsPerLine);
    }
    EXPECT_EQ(linker.propose(QStringLiteral("-2 cups sugar")).reason, kAmountRule);
    EXPECT_EQ(linker.propose(QStringLiteral("0 g sugar")).reason, kAmountRule);
}

TEST_F(IngredientLinkerTest, LinksTheSameLineToAChosenFood)
{
    const LinkProposal proposal = linker.propose(QStringLiteral("2 tbsp butter"));
    const LinkProposal unsalted = linker.proposeFor(proposal, 1145);
    ASSERT_TRUE(unsalted.link);
    EXPECT_EQ(unsalted.link->ndbNo, 1145);
    EXPECT_FALSE(unsalted.link->byGram);
    EXPECT_EQ(unsalted.line.food, "butter");
    EXPECT_FALSE(linker.proposeFor(proposal, 999999).link);
}

TEST_F(IngredientLinkerTest, WeighsWaterThroughItsLitreMeasure)
{
    const LinkProposal proposal = linker.propose(QStringLiteral("2 cups water"));
    ASSERT_TRUE(proposal.link) << proposal.reason.toStdString();
    EXPECT_NEAR(proposal.link->weightInGram, 2 * 236.5882365, 0.01);
}

TEST_F(IngredientLinkerTest, WeighsByVolumeAsItsKinAFoodTheTablesWeighOnlyByMass)
{
    // Greek yogurt has no measure at all; the curated table weighs it as plain yogurt.
    const LinkProposal proposal = linker.propose(QStringLiteral("1/2 cup Greek yogurt"));
    ASSERT_TRUE(proposal.link) << proposal.reason.toStdString();
    EXPECT_EQ(proposal.link->ndbNo, 1293);
    EXPECT_TRUE(proposal.link->byGram);
    EXPECT_NEAR(proposal.link->weightInGram, 245.0 / 2, 1e-9);
    EXPECT_TRUE(proposal.reason.contains(QStringLiteral("weighed as Yogurt, plain")));
    // A mass needs no kin, and a food without one stays without grams.
    EXPECT_EQ(linker.propose(QStringLiteral("150 g Greek yogurt")).link->weightInGram, 150);
    EXPECT_FALSE(linker.propose(QStringLiteral("1 cup ground beef")).link);
}

TEST_F(IngredientLinkerTest, TakesTheFirstFoodALineOffersThatItKnows)
{
    const auto linkedTo = [&](const char* line) {
        const LinkProposal proposal = linker.propose(QString::fromUtf8(line));
        EXPECT_TRUE(proposal.confident) << line << ": " << proposal.reason.toStdString();
        return proposal.link ? proposal.link->ndbNo : 0;
    };
    EXPECT_EQ(linkedTo("3/4 cup butter or margarine"), 1001);
    EXPECT_EQ(linkedTo("2 tbsp melted butter or coconut oil"), 1001);
    // The first choice shares the food word of the second.
    EXPECT_EQ(linkedTo("1/2 cup light or dark brown sugar"), 19334);
    EXPECT_EQ(linkedTo("2 cups almond or cashew milk"), 14091);
    EXPECT_EQ(linkedTo("4 cups reduced-salt vegetable or chicken stock"), 6700);
    // A first choice no food is named for gives way to the next.
    EXPECT_EQ(linkedTo("1 cup zorbleberries or walnuts"), 12155);
}

TEST_F(IngredientLinkerTest, KnowsACommonFoodUnderAMakersNameButNotAnotherFormOfIt)
{
    const LinkProposal salt = linker.propose(QStringLiteral("1/2 teaspoon Zorblax kosher salt"));
    ASSERT_TRUE(salt.link);
    EXPECT_EQ(salt.link->ndbNo, 2047);
    EXPECT_TRUE(salt.confident);
    // The name that ends the line is the food: coconut milk, not the full-fat milk also in the words.
    const LinkProposal coconut = linker.propose(QStringLiteral("1 cup full fat coconut milk"));
    ASSERT_FALSE(coconut.candidates.empty());
    EXPECT_EQ(coconut.candidates.front().ndbNo, 12118);
    // Words that make it another food, or another form of it, leave the choice to the cook.
    for (const char* line : {"1 cup oat milk", "2 cups cooked quinoa", "1/2 cup chocolate chip cookies"})
        EXPECT_FALSE(linker.propose(QString::fromLatin1(line)).confident) << line;
    // Unless the cook's table knows that form: cooked lentils, not raw ones; vegan butter is no
    // butter even with a word more, and plant milk no milk.
    const auto linkedTo = [&](const char* line) {
        const LinkProposal proposal = linker.propose(QString::fromUtf8(line));
        EXPECT_TRUE(proposal.confident) << line << ": " << proposal.reason.toStdString();
        return proposal.link ? proposal.link->ndbNo : 0;
    };
    EXPECT_EQ(linkedTo("2 cups cooked lentils"), 16070);
    EXPECT_EQ(linkedTo("12 Tbsp cultured vegan butter (salted, chilled)"), 4610);
    EXPECT_EQ(linkedTo("1 cup unsweetened, unflavored plant milk"), 16139);
}

TEST_F(IngredientLinkerTest, ReadsPastMakersMarksAndFlavours)
{
    // A word marked as a maker's name is no food, and a food named as a flavour is none either.
    const LinkProposal gelatin =
        linker.propose(QString::fromUtf8("2 packages (4-serving size each) Jell-O® strawberry-flavored gelatin"));
    ASSERT_TRUE(gelatin.link) << gelatin.reason.toStdString();
    EXPECT_TRUE(gelatin.confident);
    EXPECT_EQ(gelatin.link->ndbNo, 19172);
    EXPECT_EQ(gelatin.link->weightInGram, 2 * 85);
    const LinkProposal pudding =
        linker.propose(QString::fromUtf8("2 boxes (3.4 oz each) Zorb™ vanilla-flavor instant pudding & pie filling mix"));
    ASSERT_TRUE(pudding.link) << pudding.reason.toStdString();
    EXPECT_TRUE(pudding.confident);
    EXPECT_EQ(pudding.link->ndbNo, 19202);
    EXPECT_NEAR(pudding.link->weightInGram, 2 * 3.4 * 28.349523125, 1e-9);
}

} // namespace
