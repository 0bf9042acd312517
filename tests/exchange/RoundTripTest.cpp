// What Saporia writes reads back as the same recipes.

#include "exchange/JsonLdWriter.h"
#include "exchange/RecipeReaders.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

RecipeDraft everyFieldFilled()
{
    RecipeDraft draft;
    draft.name = "Bœuf bourguignon à l'ancienne \u00AB maison \u00BB";
    draft.serves = 6;
    draft.prepMinutes = 45;
    draft.cookMinutes = 192.5;
    for (int step = 1; step <= 40; ++step)
        draft.procedure += (step == 1 ? "Marinade\n" : step == 21 ? "\nCuisson & service\n" : "") + std::to_string(step)
                         + ". Étape n\u00B0" + std::to_string(step) + " : remuer <doucement> & goûter \"souvent\"."
                         + std::string(step == 40 ? "" : "\n");
    draft.author = "Zoë Müller, José Ñúñez";
    draft.source = "Les Cahiers de Cuisine";
    draft.webPageName = "Bœuf bourguignon – Les Cahiers";
    draft.webPageLink = "https://cuisine.example/boeuf?x=1&y=2";
    draft.cuisine = "Française";
    draft.types = {"Plat principal", "Mijoté, hiver"};
    draft.ingredients = {
        {"1,5 kg de bœuf (paleron)", DraftLink{13023, "Beef, chuck, raw", true, "", 1500, 1500}},
        {"2 carottes", DraftLink{11124, "Carrots, raw", false, "1 medium", 2, 122}},
        {"1 bouteille de vin rouge &amp; un bouquet garni", std::nullopt},
        {"Sel, poivre  \u00E0 volonté", DraftLink{2047, "Salt, table", true, "", 1.0 / 3.0, 1.0 / 3.0}},
    };
    draft.nutrition = {612, 31.5, 12.25, 9.1, 4, 2.5, 48.75, 840.5, 135};
    draft.handTotals = {{208, 3672.4}, {203, 292.5}};
    return draft;
}

RecipeDraft readBack(const std::string& document)
{
    const RecipeReading reading = readRecipeJson(document);
    EXPECT_EQ(reading.problem, "");
    EXPECT_EQ(reading.recipes.size(), 1u);
    return reading.recipes.empty() ? RecipeDraft{} : reading.recipes.front();
}

TEST(RoundTrip, ARecipeWithEveryFieldReadsBackEqual)
{
    const RecipeDraft draft = everyFieldFilled();
    EXPECT_EQ(readBack(writeRecipesJsonLd({draft})), draft);
}

TEST(RoundTrip, SparseRecipesAndFreelyTypedProceduresReadBackEqual)
{
    RecipeDraft minimal;
    minimal.name = "Toast";
    // A line without a name keeps its place, so the links after it stay with their lines.
    minimal.ingredients = {{"", DraftLink{18069, "Bread, white", true, "", 30, 30}},
                           {"butter", DraftLink{1001, "Butter, salted", true, "", 10, 10}}};
    minimal.types = {"Snack", "snack"};
    RecipeDraft freeText;
    freeText.name = "Tea";
    freeText.prepMinutes = 0;
    freeText.serves = 1e21; // written out in digits: readers of "4 servings" know no exponents
    freeText.procedure = "Boil the water.\n\n   Pour it over the leaves; wait 3 minutes.\n1) not a step";
    const RecipeReading reading = readRecipeJson(writeRecipesJsonLd({minimal, freeText}));
    ASSERT_EQ(reading.recipes.size(), 2u);
    EXPECT_EQ(reading.recipes[0], minimal);
    EXPECT_EQ(reading.recipes[1], freeText);
}

TEST(RoundTrip, WritesSchemaOrgThatOtherReadersUnderstand)
{
    const QJsonObject document = QJsonDocument::fromJson(QByteArray::fromStdString(writeRecipesJsonLd({everyFieldFilled()}))).object();
    EXPECT_EQ(document["@context"]["@vocab"].toString(), "https://schema.org/");
    EXPECT_FALSE(document["@context"]["saporia"].toString().isEmpty());
    const QJsonObject recipe = document["@graph"][0].toObject();
    EXPECT_EQ(recipe["@type"].toString(), "Recipe");
    EXPECT_EQ(recipe["prepTime"].toString(), "PT45M");
    EXPECT_EQ(recipe["totalTime"].toString(), "PT237.5M");
    EXPECT_EQ(recipe["recipeIngredient"][2].toString(), "1 bouteille de vin rouge &amp; un bouquet garni");
    EXPECT_EQ(recipe["nutrition"]["calories"].toString(), "612 kcal");
    EXPECT_EQ(recipe["nutrition"]["fatContent"].toString(), "31.5 g");
    EXPECT_EQ(recipe["nutrition"]["sodiumContent"].toString(), "840.5 mg");
    // One HowToStep a step, their numbers left to the reader; sections as HowToSection.
    const QJsonArray sections = recipe["recipeInstructions"].toArray();
    ASSERT_EQ(sections.size(), 2);
    EXPECT_EQ(sections[1]["@type"].toString(), "HowToSection");
    EXPECT_EQ(sections[1]["name"].toString(), "Cuisson & service");
    EXPECT_EQ(sections[1]["itemListElement"].toArray().size(), 20);
    EXPECT_EQ(sections[0]["itemListElement"][0]["text"].toString(),
              QString::fromUtf8("Étape n\u00B01 : remuer <doucement> & goûter \"souvent\"."));
    // Everything of Saporia's own sits under one property.
    QStringList own;
    for (const QString& key : recipe.keys())
        if (key.startsWith("saporia"))
            own.append(key);
    EXPECT_EQ(own, QStringList{"saporia:data"});
    EXPECT_FALSE(recipe["saporia:data"].toObject().contains("procedure"));
}

TEST(RoundTrip, AnotherProgramsEditOfTheStepsIsReadAsSteps)
{
    // Without Saporia's own property the texts are read as any page's are, numbers and all.
    const RecipeDraft draft = readBack(
        R"({"@graph":[{"@type":"Recipe","name":"Eggs","recipeInstructions":[{"@type":"HowToStep","text":"1. Boil."},{"@type":"HowToStep","text":"2. Peel."}]}]})");
    EXPECT_EQ(draft.procedure, "1. Boil.\n2. Peel.");
}

} // namespace
