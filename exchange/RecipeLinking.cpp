#include "exchange/RecipeLinking.h"

#include "exchange/FieldSizes.h"
#include "kitchen/IngredientFields.h"
#include "kitchen/IngredientLinker.h"
#include "store/Database.h"
#include "store/Sqlite.h"

#include <algorithm>
#include <cmath>

namespace {

std::optional<std::string> descriptionOfFood(const SqliteDatabase& db, std::int64_t ndbNo)
{
    auto statement = db.prepare(R"(SELECT "Desc" FROM "FOOD_DES.db" WHERE "NDB_No" = ?1)");
    statement.bindInt(1, ndbNo);
    if (!statement.step())
        return std::nullopt;
    return statement.columnText(0);
}

// The measure a link names, by its description, or the food's first as the dialog shows it.
std::optional<std::int32_t> weightIdOf(const SqliteDatabase& db, std::int64_t ndbNo, const std::string* description)
{
    auto statement = db.prepare(description
                                    ? R"(SELECT "Weight_ID" FROM "WEIGHT.db" WHERE "NDB_No" = ?1 AND "Msre_Desc" = ?2 ORDER BY "Weight_ID")"
                                    : R"(SELECT "Weight_ID" FROM "WEIGHT.db" WHERE "NDB_No" = ?1 ORDER BY "Weight_ID")");
    statement.bindInt(1, ndbNo);
    if (description)
        statement.bindText(2, *description);
    if (!statement.step())
        return std::nullopt;
    return static_cast<std::int32_t>(statement.columnInt(0));
}

// A link Saporia exported holds in this folder only when the food and its measure are the same.
void restore(LinkedLine& line, const DraftLink& link, const SqliteDatabase& db)
{
    // A file may say anything: its amounts pass the rule a typed one does.
    const bool sensible = std::isfinite(link.amount) && link.amount > 0 && isAllowedGrams(link.grams);
    if (!sensible) {
        line.reason = kAmountRule.toStdString();
        return;
    }
    const std::optional<std::string> food = descriptionOfFood(db, link.ndbNo);
    if (food != link.food) {
        line.reason = "the food " + std::to_string(link.ndbNo) + " \"" + link.food + "\" is not in this data folder";
        return;
    }
    StoredLink stored;
    stored.ndbNo = static_cast<std::int32_t>(link.ndbNo);
    stored.food = link.food;
    stored.byGram = link.byGram;
    stored.quantity = link.amount;
    stored.grams = link.grams;
    if (link.byGram) {
        stored.weightId = weightIdOf(db, link.ndbNo, nullptr);
    } else {
        stored.weightId = weightIdOf(db, link.ndbNo, &link.measure);
        if (!stored.weightId) {
            line.reason = "the measure \"" + link.measure + "\" of the food " + std::to_string(link.ndbNo)
                        + " is not in this data folder";
            return;
        }
        stored.measure = link.measure;
    }
    line.link = std::move(stored);
}

void propose(LinkedLine& line, const LinkProposal& proposal)
{
    if (!proposal.link) {
        line.reason = proposal.reason.toStdString();
        // "No "stick" measure for this food" says which food only beside its name.
        if (!proposal.candidates.empty() && proposal.line.totalQuantity())
            line.reason += " (" + proposal.candidates.front().description.toStdString() + ")";
        return;
    }
    if (!proposal.confident) {
        line.reason = "no food is a sure match for \"" + proposal.line.food.toStdString() + "\" (best guess: "
                    + proposal.candidates.front().description.toStdString() + ")";
        return;
    }
    const IngredientLink& made = *proposal.link;
    StoredLink stored;
    stored.ndbNo = made.ndbNo;
    stored.food = proposal.candidates.front().description.toStdString();
    stored.byGram = made.byGram;
    stored.quantity = made.quantity;
    stored.weightId = made.weightId;
    stored.measure = made.measure.toStdString();
    stored.grams = made.weightInGram;
    line.link = std::move(stored);
}

} // namespace

std::size_t LinkedRecipe::linkedCount() const
{
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [](const LinkedLine& l) { return l.link.has_value(); }));
}

LinkedRecipe linkRecipe(const RecipeDraft& draft, const Database& foods, IngredientLinker& linker)
{
    LinkedRecipe linked;
    linked.draft = draft;
    // The lines are kept whole; only their row fields are cut.
    linked.draft.ingredients.clear();
    linked.cutFields = cutToFieldSizes(linked.draft);
    linked.draft.ingredients = draft.ingredients;

    bool nameCut = false;
    for (const DraftIngredient& ingredient : draft.ingredients) {
        const QString text = QString::fromStdString(ingredient.text);
        // A line that brings its own link needs no food found for it.
        const std::optional<LinkProposal> proposal =
            ingredient.link ? std::nullopt : std::optional(linker.propose(text));
        const IngredientLine read = proposal ? proposal->line : readIngredientLine(text);
        // The same fields the ingredient dialog fills from a typed line.
        const IngredientFields fields = ingredientFields(read);
        LinkedLine line;
        line.text = ingredient.text;
        line.quantity = fields.quantity;
        line.unit = fields.unit.toStdString();
        line.name = fields.name.toStdString();
        if (ingredient.fields) {
            // Saporia's own export of a line typed field by field: the fields as they were.
            line.quantity = ingredient.fields->quantity;
            line.unit = ingredient.fields->unit;
            line.name = ingredient.fields->name;
            line.keepText = false;
            cutToField(line.name, "Rescipe_ingredients.DB", "Ingredient Name");
        }
        // A name of the field's full size that stops short of the line's end was cut.
        nameCut |= fields.name.size() >= kIngredientNameSize - 1 && !read.text.simplified().endsWith(fields.name);
        cutToField(line.unit, "Rescipe_ingredients.DB", "Unit");
        if (proposal)
            propose(line, *proposal);
        else
            restore(line, *ingredient.link, foods.sqlite());
        linked.lines.push_back(std::move(line));
    }
    if (nameCut)
        linked.cutFields.emplace_back("Ingredient Name");
    return linked;
}
