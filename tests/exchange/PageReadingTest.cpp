// Saved pages: JSON-LD in its many shapes, microdata, the page's own names, charsets, bad blocks.

#include "exchange/RecipeReaders.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string page(const std::string& head, const std::string& body = "")
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\">" + head + "</head><body>" + body + "</body></html>";
}

std::string jsonLd(const std::string& json)
{
    return "<script type=\"application/ld+json\">" + json + "</script>";
}

RecipeDraft onlyRecipe(const RecipeReading& reading)
{
    EXPECT_EQ(reading.problem, "");
    EXPECT_EQ(reading.recipes.size(), 1u);
    return reading.recipes.empty() ? RecipeDraft{} : reading.recipes.front();
}

TEST(PageReading, FindsTheRecipeInAGraphBesideOtherBlocksAndTypesGivenAsAList)
{
    const std::string html = page(
        "<title>Lemon Tart | Example Kitchen</title><link rel=\"canonical\" href=\"https://example.org/lemon-tart\">"
        "<meta property=\"og:site_name\" content=\"Example Kitchen\">"
            + jsonLd(R"({"@context":"https://schema.org","@type":"BreadcrumbList","itemListElement":[]})")
            + jsonLd(R"({"@context":"https://schema.org","@graph":[
                {"@type":"WebSite","@id":"https://example.org/#site","name":"Example Site"},
                {"@type":"Person","@id":"https://example.org/#jo","name":"Jo Baker"},
                {"@type":["Recipe","NewsArticle"],"name":"Lemon Tart","author":{"@id":"https://example.org/#jo"},
                 "recipeIngredient":["200 g flour","2 lemons"]}]})"));
    const RecipeDraft draft = onlyRecipe(readRecipePage(html));
    EXPECT_EQ(draft.name, "Lemon Tart");
    EXPECT_EQ(draft.author, "Jo Baker");
    EXPECT_EQ(draft.source, "Example Kitchen");
    EXPECT_EQ(draft.webPageName, "Lemon Tart | Example Kitchen");
    EXPECT_EQ(draft.webPageLink, "https://example.org/lemon-tart");
    ASSERT_EQ(draft.ingredients.size(), 2u);
    EXPECT_EQ(draft.ingredients[1].text, "2 lemons");
    EXPECT_FALSE(draft.ingredients[1].link);
}

TEST(PageReading, NumbersNestedStepsOnceAndHeadsThemWithTheirSections)
{
    const std::string html = page(jsonLd(R"([{"@type":"Recipe","name":"Pie","recipeInstructions":[
        {"@type":"HowToSection","name":"Pastry","itemListElement":[
            {"@type":"HowToStep","text":"1. Rub the butter into the flour."},
            {"@type":"HowToStep","text":"Chill &amp; rest for 30 minutes."}]},
        {"@type":"HowToSection","name":"Filling","itemListElement":{"@type":"ItemList","itemListElement":[
            {"@type":"ListItem","item":{"@type":"HowToStep","text":"<p>Slice the   apples.</p>"}}]}}]}])"));
    EXPECT_EQ(onlyRecipe(readRecipePage(html)).procedure,
              "Pastry\n1. Rub the butter into the flour.\n2. Chill & rest for 30 minutes.\n\nFilling\n3. Slice the apples.");
}

TEST(PageReading, InstructionsGivenAsOneTextBecomeOneStepALine)
{
    const std::string html =
        page(jsonLd(R"({"@type":"Recipe","name":"Soup","recipeInstructions":"Step 1: Chop.<br>Step 2: Simmer.\nServe hot."})"));
    EXPECT_EQ(onlyRecipe(readRecipePage(html)).procedure, "1. Chop.\n2. Simmer.\n3. Serve hot.");
}

TEST(PageReading, DecodesEntitiesAndTagsInsideTheJson)
{
    const std::string html = page(jsonLd(
        R"({"@type":"Recipe","name":"Mac &amp; Cheese &#8211; Baked","recipeIngredient":["&frac12; cup <b>milk</b>","1&nbsp;tsp salt"]})"));
    const RecipeDraft draft = onlyRecipe(readRecipePage(html));
    EXPECT_EQ(draft.name, "Mac & Cheese \u2013 Baked");
    ASSERT_EQ(draft.ingredients.size(), 2u);
    EXPECT_EQ(draft.ingredients[0].text, "\u00BD cup milk");
    EXPECT_EQ(draft.ingredients[1].text, "1 tsp salt");
}

TEST(PageReading, HonoursThePagesDeclaredCharset)
{
    const std::string html = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
                             "<title>Cr\xE8me br\xFBl\xE9\x65</title>"
                             "<script type=\"application/ld+json\">{\"@type\":\"Recipe\",\"name\":\"Cr\xE8me br\xFBl\xE9\x65\"}"
                             "</script></head><body></body></html>";
    const RecipeDraft draft = onlyRecipe(readRecipePage(html));
    EXPECT_EQ(draft.name, "Cr\u00E8me br\u00FBl\u00E9\x65");
    EXPECT_EQ(draft.webPageName, draft.name);
}

TEST(PageReading, ReadsMicrodataWhenThereIsNoJsonLd)
{
    const std::string html = page(
        "<title>Scones</title>",
        R"(<div itemscope itemtype="https://schema.org/Recipe">
             <h1 itemprop="name">Cheese   Scones</h1>
             <span itemprop="author" itemscope itemtype="https://schema.org/Person"><span itemprop="name">Ann Lee</span></span>
             <meta itemprop="prepTime" content="PT15M"><time itemprop="cookTime" datetime="PT12M">12 min</time>
             <span itemprop="recipeYield">Makes 8 scones</span>
             <ul><li itemprop="recipeIngredient">225 g self-raising flour</li>
                 <li itemprop="recipeIngredient">75 g <a href="/cheddar">cheddar</a></li></ul>
             <ol itemprop="recipeInstructions"><li>Mix.</li><li>Bake.</li></ol>
           </div>)");
    const RecipeDraft draft = onlyRecipe(readRecipePage(html));
    EXPECT_EQ(draft.name, "Cheese Scones");
    EXPECT_EQ(draft.author, "Ann Lee");
    EXPECT_EQ(draft.prepMinutes, 15);
    EXPECT_EQ(draft.cookMinutes, 12);
    EXPECT_EQ(draft.serves, 8);
    ASSERT_EQ(draft.ingredients.size(), 2u);
    EXPECT_EQ(draft.ingredients[1].text, "75 g cheddar");
    EXPECT_EQ(draft.procedure, "1. Mix.\n2. Bake.");
}

TEST(PageReading, KeepsTheNamesOfItemsInsideTheRecipeToThoseItems)
{
    const std::string html = page("", R"(<article itemscope itemtype="http://schema.org/Recipe">
        <h2 itemprop="name">Flapjacks</h2>
        <div itemprop="review" itemscope itemtype="http://schema.org/Review">
          <span itemprop="name">Best ever</span><span itemprop="author">Kim</span></div>
        <div itemscope itemtype="http://schema.org/Comment"><span itemprop="name">Spam</span></div>
        <span itemprop="recipeIngredient">250 g oats</span></article>)");
    const RecipeDraft draft = onlyRecipe(readRecipePage(html));
    EXPECT_EQ(draft.name, "Flapjacks");
    EXPECT_EQ(draft.author, "");
    ASSERT_EQ(draft.ingredients.size(), 1u);
}

TEST(PageReading, FindsRecipesNestedInOtherObjectsAndInLists)
{
    const std::string html = page(jsonLd(R"({"@type":"WebPage","mainEntity":{"@type":"Recipe","name":"Inner"}})")
                                  + jsonLd(R"({"@type":"ItemList","itemListElement":[
                                      {"@type":"ListItem","item":{"@type":"http://schema.org/Recipe","name":"Listed"}}]})"));
    const RecipeReading reading = readRecipePage(html);
    ASSERT_EQ(reading.recipes.size(), 2u);
    EXPECT_EQ(reading.recipes[0].name, "Inner");
    EXPECT_EQ(reading.recipes[1].name, "Listed");
}

TEST(PageReading, ReadsAPageSavedInUtf16)
{
    const std::string utf8 = page(jsonLd(R"({"@type":"Recipe","name":"Çorba"})"));
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    std::string utf16("\xFF\xFE", 2);
    for (QChar c : text) {
        utf16 += static_cast<char>(c.unicode() & 0xFF);
        utf16 += static_cast<char>(c.unicode() >> 8);
    }
    EXPECT_EQ(onlyRecipe(readRecipePage(utf16)).name, "Çorba");
}

TEST(PageReading, SkipsABrokenBlockAndReadsTheOthers)
{
    const std::string html =
        page(jsonLd(R"({"@type":"Recipe","name":"Broken",)") + jsonLd(R"(<!-- {"@type":"Recipe","name":"Whole"} -->)"));
    const RecipeReading reading = readRecipePage(html);
    ASSERT_TRUE(reading.ok());
    EXPECT_EQ(reading.recipes.front().name, "Whole");
    ASSERT_EQ(reading.skipped.size(), 1u);
    EXPECT_TRUE(reading.skipped.front().starts_with("JSON-LD block 1: broken JSON")) << reading.skipped.front();
}

TEST(PageReading, RefusesNestingDeeperThanTheLimit)
{
    std::string deep(65, '[');
    deep += std::string(65, ']');
    const RecipeReading reading = readRecipePage(page(jsonLd(deep)));
    EXPECT_FALSE(reading.ok());
    EXPECT_EQ(reading.problem, "No recipe found in the page (JSON-LD block 1: nested deeper than 64 levels)");
}

TEST(PageReading, SaysWhenAPageHasNoRecipe)
{
    EXPECT_EQ(readRecipePage(page("<title>About us</title>", "<p>Hello</p>")).problem, "No recipe found in the page");
    EXPECT_EQ(readRecipePage(page(jsonLd(R"({"@type":"Recipe"})")), "saved.html").problem,
              "No recipe found in saved.html");
}

TEST(PageReading, GivesEveryRecipeOfAPageOnce)
{
    const std::string recipe = R"({"@type":"Recipe","name":"One"})";
    const RecipeReading reading =
        readRecipePage(page(jsonLd(recipe) + jsonLd(recipe) + jsonLd(R"({"@type":"Recipe","name":"Two"})")));
    ASSERT_EQ(reading.recipes.size(), 2u);
    EXPECT_EQ(reading.recipes[1].name, "Two");
}

} // namespace
