#include "cookbook/RecipeCard.h"

#include "exchange/ProcedureSteps.h"
#include "exchange/RecipeStore.h"

#include <QStringList>

#include <cmath>

namespace {

using Style = PageFlow::Style;

constexpr double kSectionSpace = 8; // above a section's heading in the steps

QString text(const std::string& value)
{
    return QString::fromStdString(value).trimmed();
}

QString minutes(double value)
{
    return QStringLiteral("%1 min").arg(QString::number(value, 'g', 6));
}

// Lays the recipe out from a new page; returns that page's number.
int layRecipe(PageFlow& flow, const CardRecipe& recipe)
{
    const RecipeDraft& draft = recipe.draft;
    flow.beginPart(text(draft.name));
    const int firstPage = flow.pageNumber();
    flow.paragraph(text(draft.name), Style::Title);

    QStringList facts;
    if (draft.serves && *draft.serves > 0)
        facts << QStringLiteral("Serves %1").arg(QString::number(*draft.serves, 'g', 6));
    if (draft.prepMinutes && *draft.prepMinutes > 0)
        facts << QStringLiteral("Preparation %1").arg(minutes(*draft.prepMinutes));
    if (draft.cookMinutes && *draft.cookMinutes > 0)
        facts << QStringLiteral("Cooking %1").arg(minutes(*draft.cookMinutes));
    if (!facts.isEmpty())
        flow.paragraph(facts.join(QStringLiteral("  \u00b7  ")), Style::Subtitle, 4);
    QStringList kinds;
    if (!text(draft.cuisine).isEmpty())
        kinds << text(draft.cuisine);
    QStringList types;
    for (const std::string& type : draft.types)
        types << text(type);
    if (!types.isEmpty())
        kinds << types.join(QStringLiteral(", "));
    if (!kinds.isEmpty())
        flow.paragraph(kinds.join(QStringLiteral("  \u00b7  ")), Style::Subtitle, 2);

    if (!draft.ingredients.empty()) {
        flow.heading(QStringLiteral("Ingredients"), Style::Heading, 16);
        for (const DraftIngredient& ingredient : draft.ingredients)
            flow.step(QStringLiteral("\u2022"), text(ingredient.text), 3);
    }
    const std::vector<ProcedureLine> procedure = procedureLines(QString::fromStdString(draft.procedure));
    if (!procedure.empty()) {
        // A section's heading right under "Method" stays on its page.
        const ProcedureLine& first = procedure.front();
        flow.heading(QStringLiteral("Method"), Style::Heading, 16,
                     first.heading ? flow.headingHeight(first.text, Style::Subheading, kSectionSpace) : 0);
        for (const ProcedureLine& line : procedure) {
            if (line.heading)
                flow.heading(line.text, Style::Subheading, kSectionSpace);
            else
                flow.step(QStringLiteral("%1.").arg(line.number), line.text, 5);
        }
    }

    QStringList about;
    if (!text(draft.author).isEmpty())
        about << QStringLiteral("Author: %1").arg(text(draft.author));
    if (!text(draft.source).isEmpty())
        about << QStringLiteral("Source: %1").arg(text(draft.source));
    const QString pageName = text(draft.webPageName);
    const QString link = text(draft.webPageLink);
    if (!pageName.isEmpty() || !link.isEmpty())
        about << QStringLiteral("Web page: %1").arg(pageName.isEmpty() ? link
                                                    : link.isEmpty()   ? pageName
                                                                       : pageName + QStringLiteral(" \u2014 ") + link);
    for (qsizetype i = 0; i < about.size(); ++i)
        flow.paragraph(about[i], Style::Small, i == 0 ? 16 : 2);

    flow.label(recipe.label);
    return firstPage;
}

// The book; `starts` are the pages the contents name (zeros on the first pass, which
// only finds them). Returns the page each recipe starts on.
std::vector<int> layCookbook(PagedDocument& document, const QString& title, const std::vector<CardRecipe>& recipes,
                             const std::vector<int>& starts)
{
    PageFlow flow(document);
    flow.newPage();
    flow.skip(document.setup.body().height() * 0.3);
    flow.paragraph(title, Style::Title);
    flow.paragraph(recipes.size() == 1 ? QStringLiteral("1 recipe") : QStringLiteral("%1 recipes").arg(recipes.size()),
                   Style::Subtitle, 8);

    flow.beginPart(QStringLiteral("Contents"));
    flow.paragraph(QStringLiteral("Contents"), Style::Title);
    flow.space(12);
    for (std::size_t i = 0; i < recipes.size(); ++i)
        flow.dottedLine(text(recipes[i].draft.name), starts.empty() ? QStringLiteral("000") : QString::number(starts[i]));

    std::vector<int> found;
    for (const CardRecipe& recipe : recipes)
        found.push_back(layRecipe(flow, recipe));
    return found;
}

} // namespace

std::vector<ProcedureLine> procedureLines(const QString& procedure)
{
    QStringList lines;
    bool anyNumbered = false;
    for (QString line : procedure.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        anyNumbered = anyNumbered || withoutStepNumber(line) != line;
        lines << line;
    }
    std::vector<ProcedureLine> result;
    int number = 0;
    for (const QString& line : lines) {
        const QString step = withoutStepNumber(line);
        if (anyNumbered && step == line)
            result.push_back({true, 0, line});
        else
            result.push_back({false, ++number, step});
    }
    return result;
}

CardRecipe cardRecipe(const SqliteDatabase& db, std::int64_t recipeId)
{
    return {draftOfStoredRecipe(db, recipeId), recipeLabel(db, static_cast<std::int32_t>(recipeId))};
}

PagedDocument recipeCard(const CardRecipe& recipe, const PageSetup& setup)
{
    PagedDocument document{setup, text(recipe.draft.name), {}, {}};
    PageFlow flow(document);
    layRecipe(flow, recipe);
    return document;
}

PagedDocument cookbook(const QString& title, const std::vector<CardRecipe>& recipes, const PageSetup& setup)
{
    // Laid out twice: first to find where each recipe starts, then with those pages
    // in the contents (each entry is one line, so the pages stay where they were).
    PagedDocument trial{setup, title, {}, {}};
    const std::vector<int> starts = layCookbook(trial, title, recipes, {});
    PagedDocument document{setup, title, {}, {}};
    layCookbook(document, title, recipes, starts);
    return document;
}

PagedDocument shoppingListPages(const QString& title, const ShoppingList& list, const PageSetup& setup)
{
    PagedDocument document{setup, title, {}, {}};
    PageFlow flow(document);
    flow.beginPart(title);
    flow.paragraph(title, Style::Title);
    for (const ShoppingGroup& group : list.groups) {
        flow.heading(text(group.name), Style::Heading, 14);
        for (const ShoppingItem& item : group.items)
            flow.tickLine(text(item.text));
    }
    return document;
}
