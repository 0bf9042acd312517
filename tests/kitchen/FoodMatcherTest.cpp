#include "kitchen/CuratedFoods.h"
#include "kitchen/FoodMatcher.h"
#include "kitchen/KitchenTestData.h"
#include "kitchen/WordFolding.h"
#include "store/Sqlite.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {

class FoodMatcherTest : public ::testing::Test {
protected:
    std::unique_ptr<Database> data = openKitchenData();
    FoodMatcher matcher{*data};

    std::int32_t best(const char* words)
    {
        const auto candidates = matcher.match(QString::fromUtf8(words));
        return candidates.empty() ? 0 : candidates.front().ndbNo;
    }
};

TEST(CuratedFoods, EveryNumberIsAFoodOfTheReference)
{
    const auto data = openKitchenData();
    std::set<std::int64_t> foods;
    auto statement = data->sqlite().prepare(R"(SELECT "NDB_No" FROM "FOOD_DES.db")");
    while (statement.step())
        foods.insert(statement.columnInt(0));
    ASSERT_GT(curatedFoods().size(), 150u);
    for (const CuratedFood& entry : curatedFoods())
        EXPECT_TRUE(foods.count(entry.ndbNo)) << entry.name.toStdString() << " -> " << entry.ndbNo;
}

TEST(CuratedFoods, BuiltInTableIsTheRepositoryFile)
{
    QFile file(QStringLiteral(SAPORIA_CURATED_FOODS));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(readCuratedFoods(QString::fromUtf8(file.readAll())).size(), curatedFoods().size());
}

TEST(CuratedFoods, SkipsRowsThatDoNotFit)
{
    const auto rows = readCuratedFoods(QStringLiteral("# note\nbutter|salted butter\t1001\twhy\nbad row\nx\tnot-a-number\n\n"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].name, "salted butter");
    EXPECT_EQ(rows[1].ndbNo, 1001);
}

TEST_F(FoodMatcherTest, TakesTheCuratedFoodForCommonNames)
{
    EXPECT_EQ(best("butter"), 1001);
    EXPECT_EQ(best("unsalted butter"), 1145);
    EXPECT_EQ(best("all-purpose flour"), 20081);
    EXPECT_EQ(best("Plain Flour"), 20081);
    EXPECT_EQ(best("eggs"), 1123);
    EXPECT_EQ(best("large eggs"), 1123);
    EXPECT_EQ(best("whole milk"), 1077);
    EXPECT_EQ(best("kosher salt"), 2047);
    EXPECT_EQ(best("extra-virgin olive oil"), 4053);
    EXPECT_EQ(best("freshly ground black pepper"), 2030);
    const auto candidates = matcher.match(QStringLiteral("butter"));
    EXPECT_TRUE(candidates.front().curated);
    EXPECT_FALSE(candidates.front().reason.isEmpty());
}

TEST_F(FoodMatcherTest, KnowsBritishNamesAndFoldsAccentsAndPlurals)
{
    EXPECT_EQ(best("caster sugar"), 19335);
    EXPECT_EQ(best("double cream"), 1053);
    EXPECT_EQ(best("courgettes"), 11477);
    EXPECT_EQ(best("aubergine"), 11209);
    EXPECT_EQ(best("spring onions"), 11291);
    EXPECT_EQ(best("minced beef"), 23572);
    EXPECT_EQ(best("bicarbonate of soda"), 18372);
    EXPECT_EQ(best("coriander leaves"), 11165);
    EXPECT_EQ(best("JALAPEÑOS"), 11979);
    EXPECT_EQ(best("tomatoes"), 11529);
}

TEST_F(FoodMatcherTest, RanksPlainFoodsBeforePreparedBrandedAndBabyFoods)
{
    EXPECT_EQ(best("turnips"), 11564);
    EXPECT_EQ(best("condensed chicken broth"), 6013);
    const auto candidates = matcher.match(QStringLiteral("applesauce"));
    ASSERT_FALSE(candidates.empty());
    EXPECT_NE(candidates.front().reason.indexOf(QStringLiteral("special food group")), -1);
    for (std::size_t i = 1; i < candidates.size(); ++i)
        EXPECT_GE(candidates[i - 1].score, candidates[i].score);
}

TEST_F(FoodMatcherTest, FindsNothingForWordsNoFoodHas)
{
    EXPECT_TRUE(matcher.match(QStringLiteral("unobtainium")).empty());
    EXPECT_TRUE(matcher.match(QString()).empty());
    EXPECT_TRUE(matcher.match(QStringLiteral("chopped, finely")).empty());
}

TEST(WordFolding, FoldsCaseAccentsPluralsAndPossessives)
{
    EXPECT_EQ(foldedWords(u"Confectioners' sugar, Baker's yeast"),
              (QStringList{"confectioner", "sugar", "baker", "yeast"}));
    EXPECT_EQ(foldedWords(u"JALAPEÑOS (crème fraîche)"), (QStringList{"jalapeno", "creme", "fraiche"}));
    EXPECT_EQ(foldedWords(u"cookies leaves tomatoes dishes glass hummus couscous berries"),
              (QStringList{"cooky", "leaf", "tomato", "dish", "glass", "hummus", "couscous", "berry"}));
    EXPECT_EQ(foldedWords(u"'quoted' 2% milk--low-fat"), (QStringList{"quoted", "2", "milk", "low", "fat"}));
    EXPECT_TRUE(foldedWords(u" ,;' ").isEmpty());
    // The buffer of a longer word leaves nothing behind in a shorter one.
    QString buffer;
    foldWordInto(u"Strawberries", buffer);
    EXPECT_EQ(buffer, "strawberry");
    foldWordInto(u"Figs", buffer);
    EXPECT_EQ(buffer, "fig");
    foldWordInto(u"Jalapeños", buffer);
    EXPECT_EQ(buffer, foldedWord(u"jalapeno"));
}

// A description changed after the index was built: the next match reads the new words and
// forgets the old ones.
TEST(FoodMatcherIndex, FollowsChangesToTheFoodTable)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(QStringLiteral(SAPORIA_KITCHEN_DATA "/saporia.sqlite"), folder.filePath("saporia.sqlite")));
    Database foods("kitchen-copy", folder.path().toStdString());
    FoodMatcher matcher(foods);
    ASSERT_EQ(matcher.match(QStringLiteral("turnips")).front().ndbNo, 11564);
    EXPECT_TRUE(matcher.match(QStringLiteral("snozzberries")).empty());

    foods.sqlite().execute(R"(UPDATE "FOOD_DES.db" SET "Desc" = 'Snozzberries, raw' WHERE "NDB_No" = 11564)");
    foods.tableChanged("FOOD_DES.db");
    const auto renamed = matcher.match(QStringLiteral("snozzberry"));
    ASSERT_FALSE(renamed.empty());
    EXPECT_EQ(renamed.front().ndbNo, 11564);
    EXPECT_EQ(renamed.front().description, "Snozzberries, raw");
    for (const FoodCandidate& candidate : matcher.match(QStringLiteral("turnips")))
        EXPECT_NE(candidate.ndbNo, 11564);
}

} // namespace
