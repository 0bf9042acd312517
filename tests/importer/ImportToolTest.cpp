#include "importer/ImporterTestData.h"

#include "exchange/RecipeImport.h"
#include "store/DataFolderLock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

const char* const kPage = R"(<html><head><title>Soup page</title>
<script type="application/ld+json">{"@context": "https://schema.org", "@type": "Recipe", "name": "Tomato soup",
 "recipeYield": "4 servings", "prepTime": "PT10M", "cookTime": "PT1H", "recipeCuisine": "Italian",
 "recipeCategory": ["Soup", "Starter"], "author": {"@type": "Person", "name": "Ana"},
 "recipeIngredient": ["2 tbsp butter", "1 (14.5 oz) can diced tomatoes", "salt to taste"],
 "recipeInstructions": [{"@type": "HowToStep", "text": "Melt the butter."}, {"@type": "HowToStep", "text": "Add the tomatoes."}]}
</script></head><body></body></html>)";

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string contentOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ImportToolTest : public ::testing::Test {
protected:
    ToolRun run(const std::string& arguments) const
    {
        const auto out = folder.path() / "out.txt";
        const auto err = folder.path() / "err.txt";
        const std::string command = std::string("'") + SAPORIA_IMPORT_TOOL + "' " + arguments + " >'" + out.string()
                                  + "' 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contentOf(out), contentOf(err)};
    }
    std::int64_t recipes() const { return folder.stored().count(R"(SELECT COUNT(*) FROM "Recipe_Des.DB")"); }

    ImporterTestFolder folder;
    const std::int64_t starters = recipes();
};

TEST_F(ImportToolTest, ImportsEveryRecipeOfEveryFile)
{
    folder.write("soup.html", kPage);
    folder.write("cake.txt", "Plain cake\n\nIngredients\n2 cups all-purpose flour\n2 large eggs\n\nMethod\nMix and bake.\n");
    const ToolRun result = run("soup.html cake.txt");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "soup.html: imported 1 recipe, 2 of 3 ingredient lines linked\n"
                          "cake.txt: imported 1 recipe, 2 of 2 ingredient lines linked\n");
    EXPECT_EQ(recipes(), starters + 2);
    EXPECT_EQ(folder.stored().rows(R"(SELECT "Recipe Name" FROM "Recipe_Des.DB" ORDER BY "R_ID" DESC LIMIT 2)"),
              (std::vector<std::string>{"Plain cake", "Tomato soup"}));
}

TEST_F(ImportToolTest, DryRunStoresNothingAndJsonDescribesEachFile)
{
    folder.write("soup.html", kPage);
    const ToolRun result = run("--dry-run --json soup.html");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(recipes(), starters);
    ASSERT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1);
    const QJsonObject file = QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).object();
    EXPECT_EQ(file.value("file").toString(), "soup.html");
    EXPECT_TRUE(file.value("ok").toBool());
    EXPECT_TRUE(file.value("error").isNull());
    const QJsonArray recipes = file.value("recipes").toArray();
    ASSERT_EQ(recipes.size(), 1);
    const QJsonObject soup = recipes.at(0).toObject();
    EXPECT_EQ(soup.keys(), (QStringList{"author", "cook_minutes", "cuisine", "energy_kcal_per_serve", "ingredients", "lines",
                                        "linked", "name", "prep_minutes", "procedure", "serves", "source", "types",
                                        "web_page_link", "web_page_name"}));
    EXPECT_EQ(soup.value("name").toString(), "Tomato soup");
    EXPECT_EQ(soup.value("serves").toDouble(), 4);
    EXPECT_EQ(soup.value("prep_minutes").toDouble(), 10);
    EXPECT_EQ(soup.value("cook_minutes").toDouble(), 60);
    EXPECT_EQ(soup.value("author").toString(), "Ana");
    EXPECT_TRUE(soup.value("source").isNull());
    EXPECT_EQ(soup.value("web_page_name").toString(), "Soup page");
    EXPECT_EQ(soup.value("cuisine").toString(), "Italian");
    EXPECT_EQ(soup.value("types").toArray(), (QJsonArray{"Soup", "Starter"}));
    EXPECT_EQ(soup.value("procedure").toString(), "1. Melt the butter.\n2. Add the tomatoes.");
    EXPECT_EQ(soup.value("lines").toInt(), 3);
    EXPECT_EQ(soup.value("linked").toInt(), 2);
    EXPECT_GT(soup.value("energy_kcal_per_serve").toDouble(), 0);

    const QJsonArray lines = soup.value("ingredients").toArray();
    ASSERT_EQ(lines.size(), 3);
    const QJsonObject butter = lines.at(0).toObject();
    EXPECT_EQ(butter.keys(), (QStringList{"amount", "by_gram", "food", "grams", "line", "measure", "name", "ndb_no",
                                          "quantity", "reason", "unit"}));
    EXPECT_EQ(butter.value("line").toString(), "2 tbsp butter");
    EXPECT_EQ(butter.value("quantity").toDouble(), 2);
    EXPECT_EQ(butter.value("unit").toString(), "tbsp");
    EXPECT_EQ(butter.value("name").toString(), "butter");
    EXPECT_EQ(butter.value("ndb_no").toInt(), 1001);
    EXPECT_EQ(butter.value("food").toString(), "Butter, salted");
    EXPECT_FALSE(butter.value("by_gram").toBool());
    EXPECT_EQ(butter.value("measure").toString(), "tbsp");
    EXPECT_EQ(butter.value("amount").toDouble(), 2);
    EXPECT_NEAR(butter.value("grams").toDouble(), 28.4, 1e-9);
    EXPECT_TRUE(butter.value("reason").isNull());
    const QJsonObject salt = lines.at(2).toObject();
    EXPECT_TRUE(salt.value("grams").isNull());
    EXPECT_TRUE(salt.value("ndb_no").isNull());
    EXPECT_FALSE(salt.value("reason").toString().isEmpty());
}

TEST_F(ImportToolTest, BadFilesEachGiveOneLineAndStoreNothing)
{
    folder.write("empty.html", "");
    folder.write("binary.json", std::string("\x7f" "ELF\x02\x01\x01\0\0\0\xff\xfe", 12));
    folder.write("nothing.html", "<html><body><p>No recipes here.</p></body></html>");
    folder.write("broken.json", R"({"@type": "Recipe", "name": "Half)");
    std::filesystem::create_directory(folder.path() / "folder.html");
    {
        std::ofstream big(folder.path() / "big.html", std::ios::binary);
        big.seekp(21 * 1024 * 1024);
        big.put('x');
    }
    const ToolRun result = run("empty.html binary.json nothing.html broken.json folder.html big.html missing.txt");
    EXPECT_EQ(result.exitCode, 1);
    std::istringstream lines(result.out);
    std::string line;
    int count = 0;
    for (; std::getline(lines, line); ++count)
        EXPECT_NE(line.find(": "), std::string::npos) << line;
    EXPECT_EQ(count, 7) << result.out;
    EXPECT_NE(result.out.find("No recipe found in nothing.html"), std::string::npos) << result.out;
    EXPECT_EQ(recipes(), starters);

    const ToolRun json = run("--json empty.html");
    EXPECT_EQ(json.exitCode, 1);
    const QJsonObject file = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(file.value("file").toString(), "empty.html");
    EXPECT_FALSE(file.value("ok").toBool());
    EXPECT_FALSE(file.value("error").toString().isEmpty());
    EXPECT_EQ(file.value("recipes").toArray(), QJsonArray());
}

// Each recipe is stored on its own: one that fails leaves the others of its file stored.
TEST(RecipeImporterTest, ARecipeThatCannotBeStoredLeavesTheOthers)
{
    ImporterTestFolder folder;
    const std::unique_ptr<Database> data = folder.open();
    RecipeImporter importer(*data, RecipeImporter::Mode::Store);
    RecipeDraft first;
    first.name = "First";
    first.ingredients = {{"2 tbsp butter", std::nullopt}};
    RecipeDraft second = first;
    second.name = "Second";
    data->failNextWriteTo("Ingredient_Line.db", "disk full");
    const FileImport result = importer.importDrafts("two.jsonld", {first, second});
    ASSERT_EQ(result.recipes.size(), 2U);
    EXPECT_EQ(result.recipes[0].error, "disk full");
    EXPECT_FALSE(result.recipes[0].storedAs);
    EXPECT_TRUE(result.recipes[1].storedAs);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(importSummary(result, RecipeImporter::Mode::Store),
              "two.jsonld: imported 1 recipe, 1 of 1 ingredient lines linked; not stored: disk full");
    EXPECT_EQ(folder.stored().rows(R"(SELECT "Recipe Name" FROM "Recipe_Des.DB" WHERE "Recipe Name" IN ('First', 'Second'))"),
              std::vector<std::string>{"Second"});
}

TEST_F(ImportToolTest, SomeFilesWithoutARecipeExitOne)
{
    folder.write("soup.html", kPage);
    folder.write("empty.txt", "");
    EXPECT_EQ(run("soup.html empty.txt").exitCode, 1);
    EXPECT_EQ(recipes(), starters + 1);
}

TEST_F(ImportToolTest, UsageErrorsExitTwo)
{
    EXPECT_EQ(run("").exitCode, 2);
    EXPECT_EQ(run("--frobnicate soup.html").exitCode, 2);
    const ToolRun noFolder = run("--data");
    EXPECT_EQ(noFolder.exitCode, 2);
    EXPECT_NE(noFolder.err.find("usage: saporia-import"), std::string::npos);
}

TEST_F(ImportToolTest, TakesTheDataFolderGivenAndRefusesOneSaporiaHolds)
{
    folder.write("soup.html", kPage);
    std::filesystem::rename(folder.dataFolder(), folder.path() / "kitchen");
    EXPECT_EQ(run("soup.html").exitCode, 1);
    const ToolRun given = run("--data kitchen soup.html");
    EXPECT_EQ(given.exitCode, 0) << given.err;

    const DataFolderLock running(folder.path() / "kitchen");
    ASSERT_EQ(running.state(), DataFolderLock::State::Held);
    const ToolRun refused = run("--data kitchen soup.html");
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_NE(refused.err.find("Saporia is running on the data folder kitchen"), std::string::npos) << refused.err;
    EXPECT_EQ(run("--data kitchen --dry-run soup.html").exitCode, 0);
    EXPECT_EQ(StoredData(folder.path() / "kitchen" / "saporia.sqlite").count(R"(SELECT COUNT(*) FROM "Recipe_Des.DB")"),
              starters + 1);
}

} // namespace
